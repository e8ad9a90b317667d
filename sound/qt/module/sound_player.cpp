// The sound module: each sound is uploaded once to the sound server's sample cache and each cue
// is played from there, so that between cues the program holds no audio stream open and the
// server has nothing to do for it.
#include "sound/qt/sound_output.h"

#include <QCoreApplication>
#include <QMutex>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace sound {

namespace {

// A server that has not let the player in by then is taken for gone.
constexpr pa_usec_t connect_timeout_us = 1000 * 1000;
// After a failed connection, the cues stay silent this long before the player tries again.
constexpr qint64 reconnect_ms = 1000;
// A cue is taken to sound until this long after its length, for the server's own buffering; it
// is stopped by the next cue only until then.
constexpr pa_usec_t playing_margin_us = 500 * 1000;

pa_usec_t usec_from_now(const QDeadlineTimer& deadline) {
    if (deadline.isForever()) return PA_USEC_INVALID;
    return pa_rtclock_now() + pa_usec_t(std::max<qint64>(0, deadline.remainingTime())) * 1000;
}

// Tells a waiting call once that its cue has started, or with length 0 that it will not play.
void answer(const Playback& cue, qint64 length_ms) {
    if (!cue.waiter) return;
    cue.waiter->length_ms = length_ms;
    cue.waiter->answered.release();
}

class Locked {
public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

} // namespace

// Talks to the server through a loop on a thread of the library's own, which sleeps until the
// server says something. Nothing here waits for the server: every request goes out at once and
// its answer moves the player on, from the loop's thread. One request is out at a time, so a
// server that stops answering holds at most one cue, and the newest cue alone waits behind it.
class Player : public QObject, public Output {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLOX_SOUND_OUTPUT)
    Q_INTERFACES(sound::Output)

public:
    Player() : loop_(pa_threaded_mainloop_new()) { pa_threaded_mainloop_start(loop_); }

    ~Player() override {
        leave_server();
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    void play(const Playback& cue) override {
        set_last_source(cue.sound->source);
        Locked lock(loop_);
        if (waiting_) answer(waiting_->cue, 0);
        waiting_ = Waiting{cue, usec_from_now(cue.start_by)};
        advance();
    }

    void leave_server() override {
        Locked lock(loop_);
        if (waiting_) answer(std::exchange(waiting_, std::nullopt)->cue, 0);
        disconnect_server();
    }

    QUrl last_source() const override {
        QMutexLocker lock(&last_mutex_);
        return last_source_;
    }

private:
    enum class Deadline {
        connect,
        start
    };

    struct Waiting {
        Playback cue;
        pa_usec_t start_by;
    };

    // The cue whose request is out: a play, or the upload that its play found missing.
    struct Request {
        Playback cue;
        // The cue's own sound, or the alert once the server has refused that.
        const Sound* sound;
        bool uploaded = false;
        // Past its start: answered, it is stopped at once.
        bool late = false;
        pa_operation* operation = nullptr;
        pa_stream* upload = nullptr;
    };

    // Sends the waiting cue when nothing is out, connecting first where needed; a cue past its
    // start is dropped.
    void advance() {
        if (request_ || !waiting_) return;
        if (waiting_->start_by != PA_USEC_INVALID && pa_rtclock_now() >= waiting_->start_by) {
            answer(std::exchange(waiting_, std::nullopt)->cue, 0);
            return;
        }
        if (!context_ && !connect()) {
            answer(std::exchange(waiting_, std::nullopt)->cue, 0);
            return;
        }
        if (pa_context_get_state(context_) != PA_CONTEXT_READY) return;
        Waiting next = *std::exchange(waiting_, std::nullopt);
        request_ = std::make_unique<Request>(Request{next.cue, next.cue.sound.get()});
        if (next.start_by != PA_USEC_INVALID) arm(next.start_by, Deadline::start);
        stop_playing();
        send_play();
    }

    void send_play() {
        request_->operation = pa_context_play_sample_with_proplist(
            context_, request_->sound->name.constData(), nullptr, PA_VOLUME_INVALID, nullptr,
            [](pa_context* context, uint32_t sink_input, void* player) {
                static_cast<Player*>(player)->played(pa_context_errno(context), sink_input);
            },
            this);
        if (!request_->operation) refused();
    }

    // The server's answer to a play: the sink input that plays the sound, by which the next cue
    // stops it, or a refusal.
    void played(int error, uint32_t sink_input) {
        Request& r = *request_;
        forget(std::exchange(r.operation, nullptr));
        if (sink_input == PA_INVALID_INDEX && error == PA_ERR_NOENTITY && !r.uploaded) {
            // Not in the cache yet, or taken out of it by someone else; uploaded even for a cue
            // too late to play, so that the next one finds it.
            send_upload();
        } else if (r.late) {
            if (sink_input != PA_INVALID_INDEX) stop(sink_input);
            finish();
        } else if (sink_input != PA_INVALID_INDEX) {
            playing_ = sink_input;
            playing_until_ =
                pa_rtclock_now() + pa_usec_t(r.sound->wav.length_ms) * 1000 + playing_margin_us;
            answer(r.cue, r.sound->wav.length_ms);
            finish();
        } else {
            refused();
        }
    }

    // What the server would not play gives the alert; an alert refused leaves the cue silent.
    void refused() {
        Request& r = *request_;
        if (r.late || r.sound == r.cue.alert.get()) {
            if (!r.late) answer(r.cue, 0);
            finish();
            return;
        }
        r.sound = r.cue.alert.get();
        r.uploaded = false;
        set_last_source(r.sound->source);
        send_play();
    }

    void send_upload() {
        Request& r = *request_;
        r.uploaded = true;
        const Sound& sound = *r.sound;
        // The sound's sample format, rate and channels, as the server is told them.
        const pa_sample_spec format{sound.wav.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE,
                                    sound.wav.sample_rate,
                                    static_cast<uint8_t>(sound.wav.channels)};
        pa_proplist* properties = described(sound);
        r.upload = pa_stream_new_with_proplist(context_, nullptr, &format, nullptr, properties);
        pa_proplist_free(properties);
        if (!r.upload) return refused();
        pa_stream_set_state_callback(
            r.upload, [](pa_stream*, void* player) { static_cast<Player*>(player)->uploading(); },
            this);
        if (pa_stream_connect_upload(r.upload, std::size_t(sound.wav.pcm.size())) != 0)
            upload_ended(false);
    }

    // Writes the whole sound once the server has made room for it; the server caches it when
    // the upload ends.
    void uploading() {
        Request& r = *request_;
        const QByteArray& pcm = r.sound->wav.pcm;
        switch (pa_stream_get_state(r.upload)) {
        case PA_STREAM_READY:
            if (pa_stream_write(r.upload, pcm.constData(), std::size_t(pcm.size()), nullptr, 0,
                                PA_SEEK_RELATIVE) != 0 ||
                pa_stream_finish_upload(r.upload) != 0)
                upload_ended(false);
            break;
        case PA_STREAM_TERMINATED: upload_ended(true); break;
        case PA_STREAM_FAILED: upload_ended(false); break;
        default: break;
        }
    }

    void upload_ended(bool cached) {
        Request& r = *request_;
        release(std::exchange(r.upload, nullptr));
        if (r.late) {
            finish();
        } else if (cached) {
            send_play();
        } else {
            refused();
        }
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

    // The cue could not start in time, and a waiting call goes on without it. Its request stays
    // out: a start answered later is stopped then, and the cues after it wait for that answer,
    // so that a server that stops and goes on never plays a pile of old cues.
    void start_passed() {
        request_->late = true;
        answer(request_->cue, 0);
    }

    void finish() {
        disarm();
        request_.reset();
        advance();
    }

    void stop_playing() {
        if (playing_ != PA_INVALID_INDEX && pa_rtclock_now() < playing_until_) stop(playing_);
        playing_ = PA_INVALID_INDEX;
    }

    void stop(uint32_t sink_input) {
        forget(pa_context_kill_sink_input(context_, sink_input, nullptr, nullptr));
    }

    // Starts connecting, unless a connection failed a short while ago; the state callback then
    // moves the player on.
    bool connect() {
        if (!retry_.hasExpired()) return false;
        retry_.setRemainingTime(reconnect_ms);
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME,
                         qUtf8Printable(QCoreApplication::applicationName()));
        context_ =
            pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), nullptr, properties);
        pa_proplist_free(properties);
        if (!context_) return false;
        pa_context_set_state_callback(
            context_,
            [](pa_context* context, void* player) {
                static_cast<Player*>(player)->state_changed(pa_context_get_state(context));
            },
            this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) != 0) {
            disconnect_server();
            return false;
        }
        arm(pa_rtclock_now() + connect_timeout_us, Deadline::connect);
        return true;
    }

    void state_changed(pa_context_state_t state) {
        if (state == PA_CONTEXT_READY) {
            // Answered: cues may follow at once when the server is lost later.
            retry_.setRemainingTime(0);
            disarm();
            advance();
        } else if (!PA_CONTEXT_IS_GOOD(state)) {
            disconnect_server();
        }
    }

    void connect_timed_out() { disconnect_server(); }

    // Drops the connection and whatever is out on it; the waiting cue goes when its start passes.
    void disconnect_server() {
        disarm();
        if (request_) {
            Request& r = *request_;
            if (!r.late) answer(r.cue, 0);
            if (r.operation) {
                pa_operation_cancel(r.operation);
                forget(r.operation);
            }
            if (r.upload) {
                pa_stream_disconnect(r.upload);
                release(r.upload);
            }
            request_.reset();
        }
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(std::exchange(context_, nullptr));
        }
        playing_ = PA_INVALID_INDEX;
    }

    // One timer serves the request out, or the connection under way, as only one is at a time.
    void arm(pa_usec_t when, Deadline deadline) {
        disarm();
        deadline_ = deadline;
        timer_ = pa_context_rttime_new(
            context_, when,
            [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
                static_cast<Player*>(data)->deadline_passed();
            },
            this);
    }

    void deadline_passed() {
        disarm();
        if (deadline_ == Deadline::start)
            start_passed();
        else
            connect_timed_out();
    }

    void disarm() {
        if (timer_) pa_threaded_mainloop_get_api(loop_)->time_free(std::exchange(timer_, nullptr));
    }

    static void release(pa_stream* stream) {
        if (!stream) return;
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
    }

    static void forget(pa_operation* operation) {
        if (operation) pa_operation_unref(operation);
    }

    void set_last_source(const QUrl& source) {
        QMutexLocker lock(&last_mutex_);
        last_source_ = source;
    }

    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    QDeadlineTimer retry_{0};
    std::optional<Waiting> waiting_;
    std::unique_ptr<Request> request_;
    pa_time_event* timer_ = nullptr;
    Deadline deadline_ = Deadline::connect;
    // The sink input of the cue last started, and until when it may still sound.
    uint32_t playing_ = PA_INVALID_INDEX;
    pa_usec_t playing_until_ = 0;
    mutable QMutex last_mutex_;
    QUrl last_source_;
};

} // namespace sound

#include "sound_player.moc"
