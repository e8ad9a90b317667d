// platform::play_sound on Qt Multimedia. The sound effects live on a thread of their own with its
// own event loop, so a call that waits for its sound to end never runs the window's events.
#include "settings/qt/sound_qt.h"

#include "settings/profile.h"
#include "settings/system_platform.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSemaphore>
#include <QSoundEffect>
#include <QThread>

#include <algorithm>
#include <memory>

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
// A waiting call returns at most this long after its sound should have ended, whether or not
// the player has got as far as starting it.
constexpr qint64 wait_margin_ms = 250;
constexpr int shutdown_wait_ms = 2000;
// The game has four cues; this only bounds the cache if the settings keep naming new files.
constexpr int cache_limit = 8;

// Held on the heap and never destroyed, like the worker below, so that the sound thread can
// still write it while statics are destroyed.
struct LastSource {
    QMutex mutex;
    QUrl url;
};
LastSource& last = *new LastSource;

void set_last_source(const QUrl& url) {
    QMutexLocker lock(&last.mutex);
    last.url = url;
}

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

// Milliseconds of a data chunk of size bytes, rounded up, when the file really holds them
// (held bytes follow the chunk's header), they are whole frames and the cue is not too long.
std::optional<qint64> data_length_ms(const Format& format, quint32 size, qint64 held) {
    if (size == 0 || size > held || size % format.block_align != 0) return std::nullopt;
    const qint64 ms = (qint64(size) * 1000 + format.bytes_per_second - 1) / format.bytes_per_second;
    if (ms > longest_cue_ms) return std::nullopt;
    return ms;
}

// Opens a cue file, never anything but a regular file or one of the program's resources.
bool open_cue(QFile& wav, const QString& file) {
    if (file.startsWith(QLatin1Char(':'))) {
        wav.setFileName(file);
        return wav.open(QIODevice::ReadOnly);
    }
    const int fd = settings::profile::open_regular_file(QFile::encodeName(file).toStdString());
    if (fd < 0) return false;
    if (wav.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    return false;
}

qint64 alert_length_ms() {
    static const qint64 length = wav_length_ms(alert_file()).value_or(0);
    return length;
}

// What a waiting call learns from the player: that the sound has started, and its length.
struct Waiter {
    QSemaphore started;
    qint64 length_ms = 0; // written before started is released
};

// Owns the sound effects, one per file, on the sound thread. A cue still playing (or still
// loading) is stopped by the next one; a source that fails to load falls back on the alert.
class Player : public QObject {
public:
    // Runs on the sound thread, so that neither reading nor the audio set-up holds the window.
    void prepare() { effect(alert_url()); }

    void play(const QUrl& url, qint64 length_ms, const std::shared_ptr<Waiter>& waiter) {
        if (current_) current_->stop();
        finish_wait(0);
        waiter_ = waiter;
        start(url, length_ms);
    }

    // Run while the thread's loop still turns: the audio outputs of the effects are freed by
    // deleteLater.
    void forget_all() {
        for (QSoundEffect* known : std::as_const(effects_)) known->deleteLater();
        effects_.clear();
        current_ = nullptr;
    }

private:
    QSoundEffect* effect(const QUrl& url) {
        if (QSoundEffect* known = effects_.value(url)) return known;
        if (effects_.size() >= cache_limit) forget_all();
        auto* created = new QSoundEffect(this);
        connect(created, &QSoundEffect::statusChanged, this, [this, created] { loaded(created); });
        created->setSource(url);
        effects_.insert(url, created);
        return created;
    }

    void start(const QUrl& url, qint64 length_ms) {
        set_last_source(url);
        length_ms_ = length_ms;
        current_ = effect(url);
        // A sound still loading starts by itself once it is ready.
        if (current_->status() != QSoundEffect::Error) current_->play();
        loaded(current_);
    }

    void loaded(QSoundEffect* which) {
        if (which != current_) return;
        if (which->status() == QSoundEffect::Ready)
            finish_wait(length_ms_);
        else if (which->status() == QSoundEffect::Error)
            failed(which);
    }

    // An effect in error never recovers (play() even resets its status), so it is dropped.
    void failed(QSoundEffect* which) {
        const bool was_alert = which->source() == alert_url();
        effects_.remove(which->source());
        which->deleteLater();
        current_ = nullptr;
        if (was_alert)
            finish_wait(0);
        else
            start(alert_url(), alert_length_ms());
    }

    void finish_wait(qint64 length_ms) {
        if (!waiter_) return;
        waiter_->length_ms = length_ms;
        waiter_->started.release();
        waiter_.reset();
    }

    QHash<QUrl, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    qint64 length_ms_ = 0;
    std::shared_ptr<Waiter> waiter_;
};

struct Worker {
    QThread thread;
    Player* player = nullptr;
};

// Never destroyed by a static destructor: exit() from inside a handler must not tear down a
// running thread. A normal exit shuts it down from the application's post routine.
Worker* worker = nullptr;

void shut_down() {
    if (!worker) return;
    Worker* ending = std::exchange(worker, nullptr);
    Player* player = ending->player;
    QMetaObject::invokeMethod(
        player,
        [player] {
            player->forget_all();
            // Queued behind the deleteLater calls, so that those are carried out first.
            QMetaObject::invokeMethod(
                player, [] { QThread::currentThread()->quit(); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    // A thread that will not end is left running rather than destroyed under itself.
    if (!ending->thread.wait(QDeadlineTimer(shutdown_wait_ms))) return;
    delete player;
    delete ending;
}

Player* player() {
    if (!worker) {
        if (!QCoreApplication::instance()) return nullptr;
        worker = new Worker;
        worker->thread.setObjectName(QStringLiteral("vellox sound"));
        worker->player = new Player;
        worker->player->moveToThread(&worker->thread);
        worker->thread.start();
        QMetaObject::invokeMethod(
            worker->player, [p = worker->player] { p->prepare(); }, Qt::QueuedConnection);
        qAddPostRoutine(shut_down);
    }
    return worker->player;
}

// Sleeping, not spinning an event loop: no event of the window may run before the sound ends.
void wait_for(Waiter& waiter, qint64 length_ms) {
    const QDeadlineTimer deadline(length_ms + wait_margin_ms);
    if (!waiter.started.tryAcquire(1, static_cast<int>(deadline.remainingTime()))) return;
    QThread::msleep(
        static_cast<unsigned long>(std::min(waiter.length_ms, deadline.remainingTime())));
}

} // namespace

std::optional<qint64> wav_length_ms(const QString& file) {
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
        if (id == "data")
            return format ? data_length_ms(*format, size, wav.size() - body) : std::nullopt;
        if (id == "fmt " && !(format = read_format(in, size))) return std::nullopt;
        // Chunks are padded to an even length.
        if (!wav.seek(body + size + (size & 1))) return std::nullopt;
    }
    return std::nullopt;
}

QString file_from_path(const std::string& path) {
    QString file = QString::fromStdString(path);
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(file).absoluteFilePath();
}

QUrl last_source() {
    QMutexLocker lock(&last.mutex);
    return last.url;
}

} // namespace sound

void platform::play_sound(const std::string& path, int flags) {
    sound::Player* player = sound::player();
    if (!player) return;
    // Decided here, before the player sees the file, so that a waiting call knows how long the
    // sound may take whatever the player then does with it.
    const QString file = sound::file_from_path(path);
    const std::optional<qint64> length = sound::wav_length_ms(file);
    const QUrl url = length ? QUrl::fromLocalFile(file) : sound::alert_url();
    const qint64 length_ms = length.value_or(sound::alert_length_ms());
    const bool wait = (flags & 1) == 0;
    auto waiter = wait ? std::make_shared<sound::Waiter>() : nullptr;
    QMetaObject::invokeMethod(
        player, [player, url, length_ms, waiter] { player->play(url, length_ms, waiter); },
        Qt::QueuedConnection);
    if (waiter) sound::wait_for(*waiter, length_ms);
}
