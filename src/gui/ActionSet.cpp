#include "ActionSet.h"

#include "ActionGlyphs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace zaro::gui {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TActionSet::TActionSet(QObject* parent) : QObject(parent) {
    for (const TCommandRow& row : CommandRows()) {
        auto* action = new QAction(Text(row.Caption), this);
        action->setObjectName(Text(row.Name));
        if (!row.Hint.empty()) {
            action->setStatusTip(Text(row.Hint));
            action->setToolTip(Text(row.Hint));
        }
        action->setIcon(GlyphIcon(row.Glyph));
        action->setVisible(!row.Hidden);
        const std::string name = row.Name;
        connect(action, &QAction::triggered, this, [this, name] {
            if (OnCommand) {
                OnCommand(name);
            }
        });
        Actions[row.Name] = action;
    }
    AddShortcuts();
}

// The desktop's usual keys, and one for each analysis on the tool bar.
void TActionSet::AddShortcuts() {
    const std::map<std::string, QKeySequence> keys = {
        {"AtnFileNew", QKeySequence::New},
        {"AtnFileOpen", QKeySequence::Open},
        {"AtnFileSave", QKeySequence::Save},
        {"AtnEditCut", QKeySequence::Cut},
        {"AtnEditCopy", QKeySequence::Copy},
        {"AtnEditPaste", QKeySequence::Paste},
        {"AtnSimulateDCNonLinear", QKeySequence(Qt::Key_F5)},
        {"AtnSimulateACNonLinear", QKeySequence(Qt::Key_F6)},
    };
    for (const auto& [name, key] : keys) {
        Actions.at(name)->setShortcut(key);
    }
    Actions.at("AtnEditUndo")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Actions.at("AtnEditRedo")
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

QAction* TActionSet::Action(const std::string& name) const {
    const auto it = Actions.find(name);
    return it == Actions.end() ? nullptr : it->second;
}

void TActionSet::SetAllEnabled(bool enabled) {
    CommandsEnabled = enabled;
    for (const auto& entry : Actions) {
        entry.second->setEnabled(enabled && !ContextDisabled.contains(entry.first));
    }
}

void TActionSet::SetContextEnabled(const std::string& name, bool enabled) {
    if (enabled) {
        ContextDisabled.erase(name);
    } else {
        ContextDisabled.insert(name);
    }
    if (QAction* action = Action(name)) {
        action->setEnabled(CommandsEnabled && enabled);
    }
}

// Qt reports a hidden action as disabled whatever it was set to; hidden ones do
// not count, nor those that their context disables.
bool TActionSet::AllEnabled() const {
    for (const auto& entry : Actions) {
        if (entry.second->isVisible() && !entry.second->isEnabled() &&
            !ContextDisabled.contains(entry.first)) {
            return false;
        }
    }
    return true;
}

void TActionSet::FillMenuBar(QMenuBar& bar) const {
    std::map<std::string, QMenu*> menus;
    for (std::string_view title : MenuTitles()) {
        menus[std::string(title)] = bar.addMenu(Text(std::string(title)));
    }
    for (const TCommandRow& row : CommandRows()) {
        QMenu*& menu = menus[row.Menu];
        if (menu == nullptr) { // a submenu, made when its first command comes
            const std::size_t slash = row.Menu.find('/');
            menu = menus.at(row.Menu.substr(0, slash))->addMenu(Text(row.Menu.substr(slash + 1)));
        }
        if (row.SeparatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(Actions.at(row.Name));
    }
}

void TActionSet::FillToolBar(QToolBar& bar, QWidget* frequencyField) const {
    for (std::string_view entry : ToolBarLayout()) {
        if (entry == ToolBarSeparator) {
            bar.addSeparator();
        } else if (entry == ToolBarFrequency) {
            bar.addWidget(frequencyField);
        } else {
            bar.addAction(Actions.at(std::string(entry)));
        }
    }
}

} // namespace zaro::gui
