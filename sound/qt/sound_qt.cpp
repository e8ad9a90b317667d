// sound::play_sound: the cues are checked here and handed to the sound module, which is loaded
// on a thread of its own and never waits for the server; a call that waits for its sound to end
// sleeps, so it never runs the window's events.
#include "sound/qt/sound_qt.h"

#include "platform/program_dir.h"
#include "platform/qt/modules.h"
#include "settings/ini_file.h"
#include "sound/qt/sound_output.h"
#include "sound/sound_platform.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <algorithm>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace sound {

namespace {

// Cues are short sounds, and the player holds each one whole in memory: a longer or larger file
// plays the alert instead.
constexpr qint64 longest_cue_ms = 10000;
constexpr qint64 largest_cue_bytes = 4 << 20;
// The sample rates a cue may have; far outside them a file is damaged rather than unusual.
constexpr quint32 lowest_rate = 4000;
constexpr quint32 highest_rate = 192000;
// Chunks are read one by one up to the sound data; a file of many tiny ones is not a cue.
constexpr int most_chunks = 64;
// How long after it is asked for a cue may start: later, it would no longer go with its move
// and is dropped, or stopped as soon as the server answers.
constexpr qint64 latest_start_ms = 150;
// A waiting call waits no longer for its cue to start, so that it holds the window at most this
// long beyond the cue's length; a cue that starts later sounds on after the call has returned.
constexpr qint64 longest_wait_for_start_ms = 50;
constexpr int shutdown_wait_ms = 2000;
// The game has four cues; this only bounds the cache if the settings keep naming new files.
constexpr int cache_limit = 8;

// What a fmt chunk says of the sound.
struct Format {
    quint16 encoding = 0, channels = 0, block_align = 0, bits = 0;
    quint32 sample_rate = 0, bytes_per_second = 0;
};

// The format of a fmt chunk of the given size, if it is one the player can surely decode: plain
// PCM of 8 or 16 bits, one or two channels, at a plausible rate, with sizes that agree.
std::optional<Format> read_format(QDataStream& in, quint32 size) {
    Format f;
    in >> f.encoding >> f.channels >> f.sample_rate >> f.bytes_per_second >> f.block_align >>
        f.bits;
    const bool pcm = f.encoding == 1 && (f.channels == 1 || f.channels == 2) &&
                     (f.bits == 8 || f.bits == 16) && f.block_align == f.channels * f.bits / 8;
    const bool rate = f.sample_rate >= lowest_rate && f.sample_rate <= highest_rate &&
                      f.bytes_per_second == f.sample_rate * f.block_align;
    if (size < 16 || in.status() != QDataStream::Ok || !pcm || !rate) return std::nullopt;
    return f;
}

// The sound of a data chunk of size bytes, which starts where wav stands, when the file really
// holds them, they are whole frames and the cue is not too long.
std::optional<Wav> read_data(QFile& wav, const Format& format, quint32 size) {
    if (size == 0 || size > wav.size() - wav.pos() || size % format.block_align != 0)
        return std::nullopt;
    const qint64 ms = (qint64(size) * 1000 + format.bytes_per_second - 1) / format.bytes_per_second;
    if (ms > longest_cue_ms) return std::nullopt;
    Wav sound{format.sample_rate, format.channels, format.bits, wav.read(size), ms};
    if (sound.pcm.size() != qsizetype(size)) return std::nullopt;
    return sound;
}

// Opens a cue file, never anything but a regular file or one of the program's resources.
bool open_cue(QFile& wav, const QString& file) {
    if (file.startsWith(QLatin1Char(':'))) {
        wav.setFileName(file);
        return wav.open(QIODevice::ReadOnly);
    }
    const int fd = settings::open_regular_file(QFile::encodeName(file).toStdString());
    if (fd < 0) return false;
    if (wav.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    return false;
}

// The cue files read so far, each with what the file was like when read: its size, and its
// change time, which every write and replacement moves on. A cue is read again only once its file
// has changed. Used on the window thread only.
struct KnownSound {
    struct stat file;
    // Null when the file is no sound the player can play.
    std::shared_ptr<const Sound> sound;
};

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

std::shared_ptr<const Sound> read_sound(const QUrl& source, const QString& file) {
    std::optional<Wav> wav = read_wav(file);
    if (!wav) return nullptr;
    QByteArray name = sample_name(*wav);
    return std::make_shared<const Sound>(Sound{source, std::move(name), std::move(*wav)});
}

std::shared_ptr<const Sound> cue_sound(const QString& file) {
    static QHash<QString, KnownSound> known;
    struct stat now {};
    if (::stat(QFile::encodeName(file).constData(), &now) != 0) return nullptr;
    auto found = known.find(file);
    if (found != known.end() && same_file(found->file, now)) return found->sound;
    if (known.size() >= cache_limit) known.clear();
    std::shared_ptr<const Sound> sound = read_sound(QUrl::fromLocalFile(file), file);
    known.insert(file, KnownSound{now, sound});
    return sound;
}

// Bundled in the program, so never null.
const std::shared_ptr<const Sound>& alert_sound() {
    static const std::shared_ptr<const Sound> alert = read_sound(alert_url(), alert_file());
    return alert;
}

// The sound thread, which loads the sound module, and the module's player once loaded.
struct Worker {
    QThread thread;
    // Lives on the thread.
    QObject context;
    QMutex mutex;
    bool loaded = false;
    // Null where the module is missing or broken.
    Output* output = nullptr;
    // The newest cue asked for while the module was loading.
    std::optional<Playback> early;
};

// Never destroyed: exit() from inside a handler must not tear down a running thread, and at a
// normal exit, when the application's post routine shuts it down, the thread may still be
// letting go of its own data as the program ends. Cues after that are silent.
Worker* worker = nullptr;

void shut_down() {
    if (!worker) return;
    {
        QMutexLocker lock(&worker->mutex);
        if (worker->output) worker->output->leave_server();
        worker->loaded = true;
        worker->output = nullptr;
    }
    worker->thread.quit();
    // A thread that will not end is left running.
    worker->thread.wait(QDeadlineTimer(shutdown_wait_ms));
}

// Tells a waiting call that its cue will not play.
void silent(const Playback& cue) {
    if (cue.waiter) cue.waiter->answered.release();
}

// Hands the cue to the player; without the module the cue is silent.
void hand_over(Output* output, const Playback& cue) {
    if (output)
        output->play(cue);
    else
        silent(cue);
}

// The module is loaded on the sound thread, so that neither loading it nor setting up the audio
// holds the window; a cue asked for meanwhile is handed over once it is loaded.
void loaded(Worker& w) {
    QObject* module = platform::load_module(u"sound");
    // The player outlives the thread, which ends before the program does.
    if (module) module->moveToThread(QCoreApplication::instance()->thread());
    auto* output = qobject_cast<Output*>(module);
    QMutexLocker lock(&w.mutex);
    if (w.loaded) return;
    w.loaded = true;
    w.output = output;
    if (w.early) hand_over(output, *std::exchange(w.early, std::nullopt));
}

Worker* started_worker() {
    if (!worker) {
        if (!QCoreApplication::instance()) return nullptr;
        worker = new Worker;
        worker->thread.setObjectName(QStringLiteral("vellox sound"));
        worker->context.moveToThread(&worker->thread);
        worker->thread.start();
        QMetaObject::invokeMethod(
            &worker->context, [w = worker] { loaded(*w); }, Qt::QueuedConnection);
        qAddPostRoutine(shut_down);
    }
    return worker;
}

void play_on(Worker& w, const Playback& cue) {
    QMutexLocker lock(&w.mutex);
    if (w.loaded) return hand_over(w.output, cue);
    if (w.early) silent(*w.early);
    w.early = cue;
}

// Sleeping, not spinning an event loop: no event of the window may run before the sound ends.
// The call returns when the cue has sounded its length, and never later than the longest wait
// for its start after its length.
void wait_for(Waiter& waiter, const QDeadlineTimer& started_by, qint64 length_ms) {
    const QDeadlineTimer end(started_by.remainingTime() + length_ms);
    if (!waiter.answered.tryAcquire(1, static_cast<int>(started_by.remainingTime()))) return;
    QThread::msleep(static_cast<unsigned long>(std::min(waiter.length_ms, end.remainingTime())));
}

} // namespace

std::optional<Wav> read_wav(const QString& file) {
    QFile wav;
    if (!open_cue(wav, file) || wav.size() > largest_cue_bytes) return std::nullopt;
    QDataStream in(&wav);
    in.setByteOrder(QDataStream::LittleEndian);
    if (wav.read(4) != "RIFF" || in.skipRawData(4) != 4 || wav.read(4) != "WAVE")
        return std::nullopt;
    std::optional<Format> format;
    for (int chunk = 0; chunk < most_chunks; ++chunk) {
        const QByteArray id = wav.read(4);
        quint32 size = 0;
        in >> size;
        if (id.size() < 4 || in.status() != QDataStream::Ok) return std::nullopt;
        const qint64 body = wav.pos();
        if (id == "data") return format ? read_data(wav, *format, size) : std::nullopt;
        if (id == "fmt " && !(format = read_format(in, size))) return std::nullopt;
        // Chunks are padded to an even length.
        if (!wav.seek(body + size + (size & 1))) return std::nullopt;
    }
    return std::nullopt;
}

// Named by the sound itself, its format and samples, so that every run and every copy of the
// program, in whatever process namespace, shares one sample per sound, which a copy may leave in
// the server's cache for the next: the same sound never piles up. A name may hold few characters,
// so the sound is hashed.
QByteArray sample_name(const Wav& wav) {
    const quint32 format[] = {wav.sample_rate, wav.channels, wav.bits};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(format), sizeof format));
    hash.addData(wav.pcm);
    return "vellox-" + hash.result().toHex();
}

QString file_from_path(const std::string& path) {
    QString file = QString::fromStdString(path);
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(file).absoluteFilePath();
}

QUrl last_source() {
    if (!worker) return QUrl();
    QMutexLocker lock(&worker->mutex);
    return worker->output ? worker->output->last_source() : QUrl();
}

// The media folder lies beside the program.
int get_media_base_dir(char* buffer, int size) {
    return copy_directory(platform::program_dir(), buffer, size);
}

void play_sound(const std::string& path, int flags) {
    Worker* worker = started_worker();
    if (!worker) return;
    const bool wait = (flags & 1) == 0;
    const QDeadlineTimer start_by(latest_start_ms, Qt::PreciseTimer);
    const QDeadlineTimer started_by(longest_wait_for_start_ms, Qt::PreciseTimer);
    const std::shared_ptr<const Sound>& alert = alert_sound();
    std::shared_ptr<const Sound> played = cue_sound(file_from_path(path));
    const Playback cue{played ? std::move(played) : alert, alert,
                       wait ? std::make_shared<Waiter>() : nullptr, start_by};
    play_on(*worker, cue);
    if (cue.waiter) wait_for(*cue.waiter, started_by, cue.sound->wav.length_ms);
}

} // namespace sound
