#include "platform/qt/status_menu_view.h"

#include <QAction>

namespace corvella::qt {

void fillMenu(QMenu& menu, const std::vector<MenuItem>& items, const StatusMenuSource& source) {
  menu.clear();
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItemKind::separator:
        menu.addSeparator();
        break;
      case MenuItemKind::sectionHeader: {
        // A disabled title: styles draw a section as a bare line.
        QAction* header = menu.addAction(QString::fromStdString(item.title));
        header->setEnabled(false);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        break;
      }
      case MenuItemKind::item: {
        // Text after a tab is the menu's shortcut column. Only global hot keys
        // are shown: key equivalents that act inside a focused menu bar (⌘, ⌘Q)
        // have no place in a tray menu.
        QString text = QString::fromStdString(item.title);
        if (item.hotKey && source.spellHotKey) {
          text += '\t' + QString::fromStdString(source.spellHotKey(*item.hotKey));
        }
        QAction* action = menu.addAction(text);
        if (item.state == MenuItemState::on) {
          action->setCheckable(true);
          action->setChecked(true);
        }
        QObject::connect(action, &QAction::triggered, &menu, [choose = source.choose, item] {
          if (choose) choose(item);
        });
        break;
      }
    }
  }
}

}  // namespace corvella::qt
