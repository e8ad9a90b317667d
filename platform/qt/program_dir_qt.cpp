// The program's folder on Qt: the folder of the executable.
#include "platform/program_dir.h"

#include <QCoreApplication>

namespace platform {

std::string program_dir() { return QCoreApplication::applicationDirPath().toStdString(); }

} // namespace platform
