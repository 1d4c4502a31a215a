#pragma once
// The main window's commands as QActions made from the command table, with
// the menus and the tool bar they appear in. Triggering any of them goes to
// one handler with the command's name.

#include "CommandTable.h"

#include <QObject>

#include <functional>
#include <map>
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
    // Every command, shown or hidden; a command with a condition only while it holds.
    void SetAllEnabled(bool enabled);
    // Whether every shown command is enabled, those held off by their condition aside.
    bool AllEnabled() const;
    // The command is enabled only while `available` says so, from now on.
    void SetCondition(const std::string& name, std::function<bool()> available);
    // Asks the conditions again; while every command is disabled they stay so.
    void RefreshConditions();

    void FillMenuBar(QMenuBar& bar) const;
    // `frequencyField` stands where the layout names EditFreq.
    void FillToolBar(QToolBar& bar, QWidget* frequencyField) const;

    // Called with the command's name whenever one is triggered.
    std::function<void(const std::string& name)> OnCommand;

private:
    void AddShortcuts();
    bool Available(const std::string& name) const;

    std::map<std::string, QAction*> Actions;
    std::map<std::string, std::function<bool()>> Conditions;
    bool FAllEnabled = true;
};

} // namespace zaro::gui
