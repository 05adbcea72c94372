unit Unit1;

interface

uses
  Windows, SysUtils, Classes;

type
  TInventory = class
  private
    item_count: Integer;
    item_names: TStringList;
  public
    constructor Create;
    destructor Destroy; override;
    procedure add_item(const item_name: string);
    function total_items: Integer;
  end;

implementation

constructor TInventory.Create;
begin
  inherited Create;
  item_names := TStringList.Create;
end;

destructor TInventory.Destroy;
begin
  item_names.Free;
  inherited Destroy;
end;

procedure TInventory.add_item(const item_name: string);
begin
  if item_names.IndexOf(item_name) < 0 then
    item_names.Add(item_name);
  item_count := item_names.Count;
end;

function TInventory.total_items: Integer;
begin
  Result := item_count;
end;

end.
