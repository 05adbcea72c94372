#pragma once
// A bridge over the fake host with one IDE editor in the foreground that the
// timer has seen, for the tests of the bridge and of the commands.

#include <gtest/gtest.h>

#include <string>

#include "bridge/Bridge.h"
#include "bridge/FakeHost.h"

namespace tavrill::testing {

struct EditorFixture : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    WindowHandle control = host.AddEditor("");

    EditorFixture() {
        host.foreground = host.editorWindow;
        bridge.Tick();
    }
    // The editor holds exactly this text, all of it selected.
    void Select(const std::string& text) { host.SelectAll(control, text); }
    const std::string& EditorText() { return host.Window(control).text; }
    std::size_t Boxes() const { return host.boxes.size(); }
};

}  // namespace tavrill::testing
