// The settings file on Linux: beside the program, or the user's own copy where that folder is
// read-only.
#include "settings/ini_file.h"
#include "settings/settings_platform.h"

#include <QStandardPaths>

namespace settings {

namespace {

// Where a user keeps the settings when the program's folder is read-only, as under /usr.
std::string user_config_dir() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/vellox"))
        .toStdString();
}

} // namespace

std::string read_settings_text(const std::string& file) {
    return read_user_text(file, user_config_dir());
}

bool write_setting(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) {
    return write_user_value(file, user_config_dir(), section, key, value);
}

} // namespace settings
