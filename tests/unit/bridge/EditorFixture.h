#pragma once
// A bridge over the fake host with one editor control, for the tests of the tool bar's commands.
// Until Start, the timer has seen no editor: a fetch finds nothing and the working text stays what
// an earlier command left. After it, `Select` sets what a copy request gives.

#include <gtest/gtest.h>

#include <string>

#include "bridge/Bridge.h"
#include "bridge/FakeHost.h"

namespace tavrill::testing {

struct EditorFixture : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    WindowHandle control = host.AddEditor("");

    void Start() {
        host.foreground = host.editorWindow;
        bridge.Tick();
    }
    void Select(const std::string& selection) {
        host.Window(control).selection = host.Window(control).text = selection;
    }
    const std::string& EditorText() { return host.Window(control).text; }
};

}  // namespace tavrill::testing
