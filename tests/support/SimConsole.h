#pragma once
// The console window on the real link library against a qvsim program, with
// what tests of its pages need: a connection that has read the processor,
// the simulator's trace of what it received, and the controls found and
// pressed through the accessibility interfaces, as a screen reader or a GUI
// test tool finds and presses them.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "app/ZulanDlg.h"
#include "comm/CommLibrary.h"
#include "support/TempDir.h"
#include "widgets/ZBaseDialog.h"

namespace qv::test {

inline bool ProcessUntil(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// A command the simulator received: its type and payload in hex.
struct TracedCommand {
  int type = 0;
  std::string payload;
};

class SimConsoleTest : public ::testing::Test {
 protected:
  explicit SimConsoleTest(std::vector<std::string> extra = {"--no-preview"})
      : sim(SimArgs(dir, std::move(extra))) {
    Model() = DeviceModel();
    auto library = std::make_unique<comm::CommLibrary>();
    link = library.get();
    window = std::make_unique<ZulanDlg>(
        std::move(library), SettingsLocation(dir.path(), true, SettingsLocation::Environment{}));
    window->SetPrompts({[this](const QString& text) { informed.push_back(text); },
                        [this](const QString& text) {
                          confirmed.push_back(text);
                          return answer;
                        }});
    window->Start("en_US", std::filesystem::path(QV_SOURCE_DIR) / "lang");
  }
  ~SimConsoleTest() override { window->close(); }

  // Links to the simulator and reads it, as choosing it does; returns once
  // the queries that follow the processor's state are answered, so that what
  // a test sends next is all the simulator receives.
  bool Connect() {
    window->ConnectTo("127.0.0.1", sim.port());
    const bool read =
        ProcessUntil([&] { return window->linkLamp() && Model().rec.HReso != 0; }) &&
        ProcessUntil([&] { return !window->waiting().waiting(); });
    if (read) Settle();
    return read;
  }

  // Waits until nothing more arrives at the simulator for a moment.
  void Settle() {
    constexpr int kQuietMs = 300;
    std::size_t seen = Received().size();
    QElapsedTimer quiet;
    quiet.start();
    ProcessUntil([&] {
      const std::size_t now = Received().size();
      if (now != seen) {
        seen = now;
        quiet.restart();
      }
      return quiet.elapsed() >= kQuietMs;
    });
  }

  // Shown at its smallest size and active, as an operator sees it.
  void ShowWindow() {
    window->resize(ZulanDlg::kMinWidth, ZulanDlg::kMinHeight);
    window->show();
    QApplication::setActiveWindow(window.get());
  }

  static std::vector<std::string> SimArgs(const TempDir& dir, std::vector<std::string> extra) {
    std::vector<std::string> args = {
        "--listen", "127.0.0.1",      "--port",
        "0",        "--no-discovery", "--package-port",
        "0",        "--trace",        (dir.path() / "trace.jsonl").string()};
    // "@name" stands for a file of that name in the test's folder.
    for (std::string& arg : extra) {
      if (arg.starts_with('@')) arg = (dir.path() / arg.substr(1)).string();
    }
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  // Every command the simulator has received so far, in order.
  std::vector<TracedCommand> Received() const {
    std::vector<TracedCommand> commands;
    std::ifstream in(dir.path() / "trace.jsonl");
    for (std::string line; std::getline(in, line);) {
      const std::string rx = R"("dir":"rx","type":)";
      const auto at = line.find(rx);
      const auto payload = line.find(R"("payload":")");
      if (at == std::string::npos || payload == std::string::npos) continue;
      TracedCommand c;
      c.type = std::atoi(line.c_str() + at + rx.size());
      const auto start = payload + 11;
      c.payload = line.substr(start, line.find('"', start) - start);
      commands.push_back(std::move(c));
    }
    return commands;
  }
  // The commands received after the first `mark`, once `count` of them have
  // arrived (or the wait gave up).
  std::vector<TracedCommand> ReceivedAfter(std::size_t mark, std::size_t count) {
    std::vector<TracedCommand> after;
    ProcessUntil([&] {
      const auto all = Received();
      after.assign(all.begin() + static_cast<std::ptrdiff_t>(std::min(mark, all.size())),
                   all.end());
      return after.size() >= count;
    });
    return after;
  }
  // The commands of `type` received after the first `mark`, once `count`
  // of them have arrived (or the wait gave up): what the console sends on
  // its own meanwhile (keepalives, status queries) is left out.
  std::vector<TracedCommand> ReceivedOf(int type, std::size_t mark, std::size_t count) {
    std::vector<TracedCommand> of;
    ProcessUntil([&] {
      of.clear();
      const auto all = Received();
      for (std::size_t i = mark; i < all.size(); ++i) {
        if (all[i].type == type) of.push_back(all[i]);
      }
      return of.size() >= count;
    });
    return of;
  }
  // The types of those commands.
  static std::vector<int> Types(const std::vector<TracedCommand>& commands) {
    std::vector<int> types;
    for (const TracedCommand& c : commands) types.push_back(c.type);
    return types;
  }

  // True once the simulator received a command of `type` whose payload
  // starts with `payloadHex`.
  bool Traced(int type, const std::string& payloadHex) {
    return ProcessUntil([&] {
      for (const TracedCommand& c : Received()) {
        if (c.type == type && c.payload.starts_with(payloadHex)) return true;
      }
      return false;
    });
  }
  // True once a line of the trace holds `text` (what the simulator did of its
  // own, a scheduled task say), waiting up to `ms`.
  bool TraceHolds(const std::string& text, int ms = 5000) {
    return ProcessUntil(
        [&] {
          std::ifstream in(dir.path() / "trace.jsonl");
          for (std::string line; std::getline(in, line);) {
            if (line.find(text) != std::string::npos) return true;
          }
          return false;
        },
        ms);
  }
  // Nothing of `type` arrives after `mark` within a short while: the link is
  // a local socket, so anything sent would be there by then.
  bool NothingOf(int type, std::size_t mark) {
    ProcessUntil([] { return false; }, 300);
    const auto all = Received();
    for (std::size_t i = mark; i < all.size(); ++i) {
      if (all[i].type == type) return false;
    }
    return true;
  }

  // The first shown interface under `root` with `role` whose name starts with `name`.
  static QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role,
                                    const QString& name) {
    if (root->role() == role && !root->state().invisible &&
        root->text(QAccessible::Name).startsWith(name)) {
      return root;
    }
    for (int i = 0; i < root->childCount(); ++i) {
      if (QAccessibleInterface* child = root->child(i)) {
        if (QAccessibleInterface* found = Find(child, role, name)) return found;
      }
    }
    return nullptr;
  }
  QAccessibleInterface* Find(QAccessible::Role role, const QString& name) {
    return Find(QAccessible::queryAccessibleInterface(window.get()), role, name);
  }
  // Waits for a control that appears once a page opens.
  QAccessibleInterface* Await(QAccessible::Role role, const QString& name) {
    QAccessibleInterface* found = nullptr;
    ProcessUntil([&] { return (found = Find(role, name)) != nullptr; });
    return found;
  }
  // Presses the page button named `button` and returns page `id` once it is
  // shown, for finding the page's own controls.
  QAccessibleInterface* OpenPage(const QString& button, PageId id) {
    Press(Find(QAccessible::PushButton, button));
    ProcessUntil([&] { return window->page(id)->isVisible(); });
    return QAccessible::queryAccessibleInterface(window->page(id));
  }
  static void Press(QAccessibleInterface* control) {
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->actionInterface(), nullptr);
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
  }
  // Types `text` over what the field holds and commits it with Enter.
  static void TypeInto(QAccessibleInterface* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    auto* widget = qobject_cast<QWidget*>(field->object());
    ASSERT_NE(widget, nullptr);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, text);
    QTest::keyClick(widget, Qt::Key_Return);
  }

  TempDir dir;
  e2e::SimProcess sim;
  comm::CommLibrary* link = nullptr;  // owned by the window
  std::unique_ptr<ZulanDlg> window;
  std::vector<QString> informed;
  std::vector<QString> confirmed;
  bool answer = true;  // what a question is answered
};

}  // namespace qv::test
