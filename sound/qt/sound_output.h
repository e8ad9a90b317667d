// What the program asks of its sound module, which plays the cues on the sound thread.
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QSemaphore>
#include <QUrl>
#include <QtPlugin>

#include <memory>

namespace sound {

// What a waiting call learns from the player, once: that the sound has started and how long it
// is, or that it will not play (length 0).
struct Waiter {
    QSemaphore answered;
    qint64 length_ms = 0; // written before answered is released
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
    // What the sound server's sample cache holds the sound under: named by what it sounds like,
    // so that every run and every copy of the program shares one sample per sound.
    QByteArray name;
    Wav wav;
};

struct Playback {
    std::shared_ptr<const Sound> sound;
    // Plays instead of a sound that the server refuses.
    std::shared_ptr<const Sound> alert;
    // Null when nobody waits for the cue.
    std::shared_ptr<Waiter> waiter;
    // A cue that has not started by then is dropped rather than played late.
    QDeadlineTimer start_by;
};

// Safe on any thread; no call waits for the sound server.
class Output {
public:
    // Stops the cue playing and plays this one, as soon as the server has answered the cue before;
    // a cue still waiting for that is replaced.
    virtual void play(const Playback& cue) = 0;

    // Leaves the server. The samples stay in its cache for the next run and other copies.
    virtual void leave_server() = 0;

    // The source the player was last asked to play once the fallback was decided; empty before
    // any.
    virtual QUrl last_source() const = 0;

protected:
    ~Output() = default;
};

} // namespace sound

#define VELLOX_SOUND_OUTPUT "org.vellox.Vellox.Sound/3"
Q_DECLARE_INTERFACE(sound::Output, VELLOX_SOUND_OUTPUT)
