// What the program asks of its sound module, which plays the cues on the sound thread.
#pragma once

#include <QSemaphore>
#include <QUrl>
#include <QtPlugin>

#include <memory>

namespace sound {

// What a waiting call learns from the player: that the sound has started, and its length.
struct Waiter {
    QSemaphore started;
    qint64 length_ms = 0; // written before started is released
};

struct Cue {
    QUrl url;
    qint64 length_ms = 0;
    // The alert plays instead of a source that fails to load.
    qint64 alert_length_ms = 0;
    // Null when nobody waits for the cue.
    std::shared_ptr<Waiter> waiter;
};

// Called on the sound thread only, except last_source.
class Output {
public:
    // Stops the cue playing, or still loading, and plays this one.
    virtual void play(const Cue& cue) = 0;

    // Frees the audio outputs; called while the thread's loop still turns, as they go by
    // deleteLater.
    virtual void forget_all() = 0;

    // The source the player was last asked to play once the fallback was decided; empty before
    // any. Safe on any thread.
    virtual QUrl last_source() const = 0;

protected:
    ~Output() = default;
};

} // namespace sound

#define VELLOX_SOUND_OUTPUT "org.vellox.Vellox.Sound/1"
Q_DECLARE_INTERFACE(sound::Output, VELLOX_SOUND_OUTPUT)
