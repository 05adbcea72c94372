#pragma once
// The dialogs that live for the whole run: start-up makes them once, in this
// order, before the tool bar, and hands them to it by reference. The if...then
// and case...of dialogs are not among them: their commands make a fresh one for
// each use.

#include "app/Folders.h"
#include "bridge/BridgeHost.h"
#include "forms/Aboutwin.h"
#include "forms/StashReader.h"
#include "forms/fFnCall.h"
#include "forms/fForNext.h"
#include "forms/fPalette.h"
#include "forms/fProc.h"
#include "forms/fSave.h"
#include "forms/fStash.h"
#include "forms/fWhile.h"
#include "forms/findent.h"
#include "stash/StashCatalog.h"

namespace tavrill {

struct Dialogs {
    // Throws Error when a window cannot be made. `host` asks the stash
    // browser's delete question; the function list is read from folders.program.
    Dialogs(BridgeHost& host, const Folders& folders)
        : stash(folders.stash),
          stashReader(stash),
          frmStash(host, stashReader),
          frmPalette(stashReader),
          frmFnCall(folders.program) {}

    // The one index of the stash, which the browser and the palette share, and what fills it.
    StashCatalog stash;
    StashReader stashReader;

    TfrmIndent frmIndent;
    TfrmProc frmProc;
    TfrmWhile frmWhile;
    TfrmForNext frmForNext;
    TfrmAbout frmAbout;
    TfrmSave frmSave;
    TfrmStash frmStash;
    TfrmPalette frmPalette;
    TfrmFnCall frmFnCall;  // reads the function list when made, writes it back when destroyed
};

}  // namespace tavrill
