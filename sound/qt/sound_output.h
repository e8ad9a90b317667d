// What the program asks of its sound module, which plays the cues on the sound thread.
#pragma once

#include <QByteArray>
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

// The sound of a WAV file, checked and read on the window thread: PCM of 8 bits unsigned or 16
// bits little-endian, in one or two channels.
struct Wav {
    quint32 sample_rate = 0;
    quint16 channels = 0, bits = 0;
    QByteArray pcm;
    qint64 length_ms = 0;
};

struct Sound {
    QUrl source;
    // What the sound server's sample cache holds the sound under: another name for every file,
    // and for every change of it.
    QByteArray name;
    Wav wav;
};

struct Playback {
    std::shared_ptr<const Sound> sound;
    // Plays instead of a sound that the server refuses.
    std::shared_ptr<const Sound> alert;
    // Null when nobody waits for the cue.
    std::shared_ptr<Waiter> waiter;
};

// Called on the sound thread only, except last_source.
class Output {
public:
    // Stops the cue playing and plays this one.
    virtual void play(const Playback& cue) = 0;

    // Takes the program's sounds out of the server and leaves it; called before the program ends.
    virtual void forget_all() = 0;

    // The source the player was last asked to play once the fallback was decided; empty before
    // any. Safe on any thread.
    virtual QUrl last_source() const = 0;

protected:
    ~Output() = default;
};

} // namespace sound

#define VELLOX_SOUND_OUTPUT "org.vellox.Vellox.Sound/2"
Q_DECLARE_INTERFACE(sound::Output, VELLOX_SOUND_OUTPUT)
