// Loads the program's modules from the program's folder.
#include "platform/qt/modules.h"

#include "platform/program_dir.h"

#include <QPluginLoader>

namespace platform {

QObject* load_module(QStringView name) {
    QPluginLoader loader(QString::fromStdString(platform::program_dir()) +
                         QStringLiteral("/vellox-%1.so").arg(name));
    // A module that lacks a symbol fails here rather than when the symbol is first called.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    return loader.instance();
}

} // namespace platform
