// The sound module: the cues played by Qt Multimedia on the sound thread, where the module is
// loaded.
#include "settings/qt/sound_output.h"
#include "settings/qt/sound_qt.h"

#include <QHash>
#include <QMutex>
#include <QSoundEffect>

namespace sound {

namespace {

// The game has four cues; this only bounds the cache if the settings keep naming new files.
constexpr int cache_limit = 8;

} // namespace

// Owns the sound effects, one per file. A cue still playing (or still loading) is stopped by the
// next one; a source that fails to load falls back on the alert.
class Player : public QObject, public Output {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLOX_SOUND_OUTPUT)
    Q_INTERFACES(sound::Output)

public:
    // Made on the sound thread, so that neither reading nor the audio set-up holds the window.
    Player() { effect(alert_url()); }

    void play(const Cue& cue) override {
        if (current_) current_->stop();
        finish_wait(0);
        waiter_ = cue.waiter;
        alert_length_ms_ = cue.alert_length_ms;
        start(cue.url, cue.length_ms);
    }

    void forget_all() override {
        for (QSoundEffect* known : std::as_const(effects_)) known->deleteLater();
        effects_.clear();
        current_ = nullptr;
    }

    QUrl last_source() const override {
        QMutexLocker lock(&last_mutex_);
        return last_source_;
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
        {
            QMutexLocker lock(&last_mutex_);
            last_source_ = url;
        }
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
            start(alert_url(), alert_length_ms_);
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
    qint64 alert_length_ms_ = 0;
    std::shared_ptr<Waiter> waiter_;
    mutable QMutex last_mutex_;
    QUrl last_source_;
};

} // namespace sound

#include "sound_player.moc"
