// The sound module: each sound is uploaded once to the sound server's sample cache and each cue
// is played from there, so that between cues the program holds no audio stream open and the
// server has nothing to do for it.
#include "sound/qt/sound_output.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutex>

#include <pulse/pulseaudio.h>

#include <set>
#include <utility>

namespace sound {

namespace {

// A server that has not answered by then is taken for gone.
constexpr pa_usec_t answer_timeout_us = 1000 * 1000;
// After a failed connection, the cues stay silent this long before the player tries again.
constexpr int reconnect_ms = 5000;
// The game has four cues; this only bounds the server's cache if the settings keep naming new
// files.
constexpr std::size_t cache_limit = 8;

// What a wait on the server's loop is for, and whether it has gone on too long.
struct Wait {
    pa_threaded_mainloop* loop;
    bool late = false;
};

// The server's answer to a cue: the sink input that plays it.
struct Played {
    Wait* wait;
    uint32_t sink_input = PA_INVALID_INDEX;
};

void wake(pa_threaded_mainloop* loop) { pa_threaded_mainloop_signal(loop, 0); }

} // namespace

// Talks to the server through a loop on a thread of the library's own, which sleeps until the
// server says something. Every call here holds the loop's lock while it waits for an answer.
class Player : public QObject, public Output {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLOX_SOUND_OUTPUT)
    Q_INTERFACES(sound::Output)

public:
    Player() : loop_(pa_threaded_mainloop_new()) { pa_threaded_mainloop_start(loop_); }

    ~Player() override {
        forget_all();
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    void play(const Playback& cue) override {
        pa_threaded_mainloop_lock(loop_);
        stop_playing();
        const Sound* chosen = cue.sound.get();
        bool playing = start(*chosen);
        if (!playing && context_ && chosen != cue.alert.get()) {
            chosen = cue.alert.get();
            playing = start(*chosen);
        }
        pa_threaded_mainloop_unlock(loop_);
        {
            QMutexLocker lock(&last_mutex_);
            last_source_ = chosen->source;
        }
        if (!cue.waiter) return;
        cue.waiter->length_ms = playing ? chosen->wav.length_ms : 0;
        cue.waiter->started.release();
    }

    void forget_all() override {
        pa_threaded_mainloop_lock(loop_);
        if (context_) remove_uploaded();
        disconnect_server();
        pa_threaded_mainloop_unlock(loop_);
    }

    QUrl last_source() const override {
        QMutexLocker lock(&last_mutex_);
        return last_source_;
    }

private:
    // Uploads the sound if the server lacks it, and plays it; false when the server is
    // unreachable or refuses.
    bool start(const Sound& sound) {
        if (!connected() || !upload(sound)) return false;
        Wait wait{loop_};
        Played played{&wait};
        auto answered = [](pa_context*, uint32_t sink_input, void* data) {
            auto* played = static_cast<Played*>(data);
            played->sink_input = sink_input;
            wake(played->wait->loop);
        };
        // The answer tells the sink input, by which the next cue stops this one.
        answer(pa_context_play_sample_with_proplist(context_, sound.name.constData(), nullptr,
                                                    PA_VOLUME_INVALID, nullptr, answered, &played),
               wait);
        playing_ = played.sink_input;
        // Taken out of the cache by someone else, say: uploaded again next time.
        if (playing_ == PA_INVALID_INDEX) uploaded_.erase(sound.name);
        return playing_ != PA_INVALID_INDEX;
    }

    void stop_playing() {
        if (context_ && playing_ != PA_INVALID_INDEX)
            forget(pa_context_kill_sink_input(context_, playing_, nullptr, nullptr));
        playing_ = PA_INVALID_INDEX;
    }

    // Connects when not connected, unless a connection failed a short while ago.
    bool connected() {
        if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) return true;
        disconnect_server();
        if (!retry_.hasExpired()) return false;
        retry_.setRemainingTime(reconnect_ms);
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Vellox");
        if (!context_) return false;
        pa_context_set_state_callback(
            context_,
            [](pa_context*, void* loop) { wake(static_cast<pa_threaded_mainloop*>(loop)); }, loop_);
        Wait wait{loop_};
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) == 0)
            wait_while(wait, [this] { return pa_context_get_state(context_) < PA_CONTEXT_READY; });
        if (pa_context_get_state(context_) == PA_CONTEXT_READY) return true;
        disconnect_server();
        return false;
    }

    void disconnect_server() {
        if (!context_) return;
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(std::exchange(context_, nullptr));
        uploaded_.clear();
        playing_ = PA_INVALID_INDEX;
    }

    bool upload(const Sound& sound) {
        if (uploaded_.count(sound.name)) return true;
        if (uploaded_.size() >= cache_limit) remove_uploaded();
        // The sound's sample format, rate and channels, as the server is told them.
        const pa_sample_spec format{sound.wav.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE,
                                    sound.wav.sample_rate,
                                    static_cast<uint8_t>(sound.wav.channels)};
        pa_proplist* properties = described(sound);
        pa_stream* stream =
            pa_stream_new_with_proplist(context_, nullptr, &format, nullptr, properties);
        pa_proplist_free(properties);
        if (!stream) return false;
        pa_stream_set_state_callback(
            stream, [](pa_stream*, void* loop) { wake(static_cast<pa_threaded_mainloop*>(loop)); },
            loop_);
        const bool sent = send(stream, sound.wav.pcm);
        Wait wait{loop_};
        if (sent)
            wait_while(wait, [stream] { return pa_stream_get_state(stream) == PA_STREAM_READY; });
        const bool done = sent && pa_stream_get_state(stream) == PA_STREAM_TERMINATED;
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        if (!done) pa_stream_disconnect(stream);
        pa_stream_unref(stream);
        if (done) uploaded_.insert(sound.name);
        return done;
    }

    // The server caches an upload under its event name; a mixer shows the cue by the others.
    static pa_proplist* described(const Sound& sound) {
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_EVENT_ID, sound.name.constData());
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME,
                         qUtf8Printable(QCoreApplication::applicationName()));
        pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, qUtf8Printable(sound.source.fileName()));
        return properties;
    }

    // Writes the whole sound to an upload stream once the server has made room for it.
    bool send(pa_stream* stream, const QByteArray& pcm) {
        if (pa_stream_connect_upload(stream, std::size_t(pcm.size())) != 0) return false;
        Wait wait{loop_};
        wait_while(wait, [stream] { return pa_stream_get_state(stream) == PA_STREAM_CREATING; });
        return pa_stream_get_state(stream) == PA_STREAM_READY &&
               pa_stream_write(stream, pcm.constData(), std::size_t(pcm.size()), nullptr, 0,
                               PA_SEEK_RELATIVE) == 0 &&
               pa_stream_finish_upload(stream) == 0;
    }

    // The server answers in order, so the last removal's answer comes after all the others.
    void remove_uploaded() {
        pa_operation* last = nullptr;
        for (const QByteArray& name : uploaded_) {
            forget(last);
            last = pa_context_remove_sample(
                context_, name.constData(),
                [](pa_context*, int, void* loop) {
                    wake(static_cast<pa_threaded_mainloop*>(loop));
                },
                loop_);
        }
        Wait wait{loop_};
        answer(last, wait);
        uploaded_.clear();
    }

    // Waits for the operation's answer, for which the operation's callback wakes the loop, and
    // lets go of it; a late answer is not waited for.
    void answer(pa_operation* operation, Wait& wait) {
        if (!operation) return;
        wait_while(wait, [operation] {
            return pa_operation_get_state(operation) == PA_OPERATION_RUNNING;
        });
        pa_operation_cancel(operation);
        forget(operation);
    }

    static void forget(pa_operation* operation) {
        if (operation) pa_operation_unref(operation);
    }

    // Waits on the loop while busy() holds, and no longer than the server may take to answer.
    template <typename Busy> void wait_while(Wait& wait, Busy busy) {
        pa_time_event* timer = pa_context_rttime_new(
            context_, pa_rtclock_now() + answer_timeout_us,
            [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
                auto* late = static_cast<Wait*>(data);
                late->late = true;
                wake(late->loop);
            },
            &wait);
        while (busy() && !wait.late) pa_threaded_mainloop_wait(loop_);
        if (timer) pa_threaded_mainloop_get_api(loop_)->time_free(timer);
    }

    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    QDeadlineTimer retry_{0};
    std::set<QByteArray> uploaded_;
    // The sink input of the cue last played.
    uint32_t playing_ = PA_INVALID_INDEX;
    mutable QMutex last_mutex_;
    QUrl last_source_;
};

} // namespace sound

#include "sound_player.moc"
