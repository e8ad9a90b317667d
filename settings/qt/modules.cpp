// Loads the program's modules from the program's folder.
#include "settings/qt/modules.h"

#include "settings/system_platform.h"

#include <QPluginLoader>

namespace modules {

QObject* load(QStringView name) {
    QPluginLoader loader(QString::fromStdString(platform::program_dir()) +
                         QStringLiteral("/vellox-%1.so").arg(name));
    // A module that lacks a symbol fails here rather than when the symbol is first called.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    return loader.instance();
}

} // namespace modules
