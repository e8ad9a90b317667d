// platform::play_sound on Qt Multimedia. The sound effects live on a thread of their own with its
// own event loop, so a call that waits for its sound to end never runs the window's events.
#include "settings/qt/sound_qt.h"

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

namespace sound {

namespace {

// However long a file claims to be, a waiting call gives the window back after this.
constexpr qint64 longest_wait_ms = 10000;
// Loading a cue takes milliseconds; a player that has not started it by then is stuck, and the
// caller stops waiting for it.
constexpr int start_wait_ms = 2000;
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

// The bytes per second that a fmt chunk declares; 0 for a chunk too short or without sound. The
// encoding is left to the sound effect: one it cannot decode ends in status Error.
quint32 byte_rate(QDataStream& in, quint32 size) {
    quint16 channels = 0, block_align = 0, bits = 0;
    quint32 sample_rate = 0, bytes_per_second = 0;
    in.skipRawData(2); // the encoding
    in >> channels >> sample_rate >> bytes_per_second >> block_align >> bits;
    if (size < 16 || in.status() != QDataStream::Ok || channels == 0 || sample_rate == 0 ||
        bits == 0)
        return 0;
    return bytes_per_second;
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
    void prepare() {
        alert_length_ = wav_length_ms(alert_file()).value_or(0);
        effect(alert_url());
    }

    void play(const QString& file, const std::shared_ptr<Waiter>& waiter) {
        if (current_) current_->stop();
        finish_wait(0);
        waiter_ = waiter;
        const std::optional<qint64> length = wav_length_ms(file);
        if (length)
            start(QUrl::fromLocalFile(file), *length);
        else
            start(alert_url(), alert_length_);
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
            start(alert_url(), alert_length_);
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
    qint64 alert_length_ = 0;
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

void wait_for(Waiter& waiter) {
    QDeadlineTimer deadline(longest_wait_ms);
    const int start_wait =
        static_cast<int>(std::min<qint64>(start_wait_ms, deadline.remainingTime()));
    if (!waiter.started.tryAcquire(1, start_wait)) return;
    // Sleeping, not spinning an event loop: no event of the window may run before the sound ends.
    QThread::msleep(
        static_cast<unsigned long>(std::min(waiter.length_ms, deadline.remainingTime())));
}

} // namespace

std::optional<qint64> wav_length_ms(const QString& file) {
    QFile wav(file);
    if (!wav.open(QIODevice::ReadOnly)) return std::nullopt;
    QDataStream in(&wav);
    in.setByteOrder(QDataStream::LittleEndian);
    if (wav.read(4) != "RIFF" || in.skipRawData(4) != 4 || wav.read(4) != "WAVE")
        return std::nullopt;
    quint32 rate = 0;
    for (;;) {
        const QByteArray id = wav.read(4);
        quint32 size = 0;
        in >> size;
        if (id.size() < 4 || in.status() != QDataStream::Ok) return std::nullopt;
        const qint64 body = wav.pos();
        if (id == "data") {
            const qint64 bytes = std::min<qint64>(size, wav.size() - body);
            if (rate == 0 || bytes <= 0) return std::nullopt;
            return (bytes * 1000 + rate - 1) / rate;
        }
        if (id == "fmt ") {
            rate = byte_rate(in, size);
            if (rate == 0) return std::nullopt;
        }
        // Chunks are padded to an even length.
        if (!wav.seek(body + size + (size & 1))) return std::nullopt;
    }
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
    const QString file = sound::file_from_path(path);
    const bool wait = (flags & 1) == 0;
    auto waiter = wait ? std::make_shared<sound::Waiter>() : nullptr;
    QMetaObject::invokeMethod(
        player, [player, file, waiter] { player->play(file, waiter); }, Qt::QueuedConnection);
    if (waiter) sound::wait_for(*waiter);
}
