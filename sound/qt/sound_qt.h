// The parts of the Qt sound player that the tests examine.
#pragma once

#include "sound/qt/sound_output.h"

#include <QString>
#include <QUrl>

#include <optional>
#include <string>

namespace sound {

// The alert played for any path that names no playable sound, bundled in the program. Functions
// rather than constants, since the sound thread may still use them while statics are destroyed.
inline QString alert_file() { return QStringLiteral(":/sounds/alert.wav"); }
inline QUrl alert_url() { return QUrl(QStringLiteral("qrc:/sounds/alert.wav")); }

// The sound of a WAV file that the player can surely play, with its milliseconds (rounded up):
// its data bytes over the byte rate of its header. nullopt for anything else: a file that is
// missing, is not a regular file, is too large or too long, or is not PCM of 8 or 16 bits in one or
// two channels at a plausible rate with a data chunk of whole frames that the file really holds.
std::optional<Wav> read_wav(const QString& file);

// The name under which the server's sample cache holds the sound: the same in every run and
// every copy of the program, and another for every other sound.
QByteArray sample_name(const Wav& wav);

// The file that a path handed to play_sound opens: backslashes, as a Windows user writes them,
// read as '/'.
QString file_from_path(const std::string& path);

// The source the player was last asked to play once the fallback was decided; empty before any.
QUrl last_source();

} // namespace sound
