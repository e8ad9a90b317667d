// The program's own modules: the parts that only a sound or the help needs, with the libraries
// they pull in, kept out of the program's start and loaded from its folder when first needed.
#pragma once

#include <QObject>
#include <QStringView>

namespace platform {

// The object that the module of this name offers, made on the calling thread when the module is
// first loaded and the same object after that; null where the module is missing or cannot be
// loaded.
QObject* load_module(QStringView name);

} // namespace platform
