// Directories, the settings file, menu check marks and the help viewer on Linux with Qt.
#include "app/qt/main_window.h"
#include "settings/profile.h"
#include "settings/qt/help_module.h"
#include "settings/qt/modules.h"
#include "settings/system_platform.h"

#include <QAction>
#include <QCoreApplication>
#include <QStandardPaths>

namespace platform {

std::string program_dir() { return QCoreApplication::applicationDirPath().toStdString(); }

// The media folder lies beside the program.
int get_windows_directory(char* buffer, int size) {
    return settings::copy_directory(program_dir(), buffer, size);
}

namespace {

// Where a user keeps the settings when the program's folder is read-only, as under /usr.
std::string user_config_dir() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/vellox"))
        .toStdString();
}

} // namespace

std::string read_profile_text(const std::string& file) {
    return settings::profile::read_user_text(file, user_config_dir());
}

bool write_profile_string(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file) {
    return settings::profile::write_user_value(file, user_config_dir(), section, key, value);
}

void set_checked(settings::MenuItem item, bool checked) {
    if (!app::main_window) return;
    if (QAction* action = app::main_window->menu_item(item)) action->setChecked(checked);
}

// Without the help module, as without the help file, nothing is shown.
void html_help(const std::string& file, const std::string& topic) {
    if (!app::main_window) return;
    auto* help = qobject_cast<help::Module*>(modules::load(u"help"));
    if (!help) return;
    help->show_help(app::main_window->help_viewer, *app::main_window,
                    app::main_window->frame_margins(), QString::fromStdString(file),
                    QString::fromStdString(topic));
}

// Destroyed at once rather than closed: the program ends right after this, and the viewer's
// temporary collection goes only with the viewer.
void help_quit() {
    if (app::main_window) delete app::main_window->help_viewer;
}

} // namespace platform
