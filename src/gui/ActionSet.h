#pragma once
// The main window's commands as QActions made from the command table, with
// the menus and the tool bar they appear in. Triggering any of them goes to
// one handler with the command's name.

#include "CommandTable.h"

#include <QObject>

#include <functional>
#include <map>
#include <set>
#include <string>

class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

namespace zaro::gui {

class TActionSet : public QObject {
    Q_OBJECT
public:
    explicit TActionSet(QObject* parent = nullptr);

    // The action of a command; nullptr for an unknown name.
    QAction* Action(const std::string& name) const;
    // Every command, shown or hidden; one that its context disables stays so.
    void SetAllEnabled(bool enabled);
    // Whether the command applies where the user is (the focus, a selection,
    // a step to undo).
    void SetContextEnabled(const std::string& name, bool enabled);
    // Whether every shown command is enabled.
    bool AllEnabled() const;

    void FillMenuBar(QMenuBar& bar) const;
    // `frequencyField` stands where the layout names EditFreq.
    void FillToolBar(QToolBar& bar, QWidget* frequencyField) const;

    // Called with the command's name whenever one is triggered.
    std::function<void(const std::string& name)> OnCommand;

private:
    void AddShortcuts();

    std::map<std::string, QAction*> Actions;
    std::set<std::string> ContextDisabled;
    bool CommandsEnabled = true;
};

} // namespace zaro::gui
