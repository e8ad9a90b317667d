// Writes the game's sound cues as 16-bit mono WAV files: make_cues <output dir>.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int rate = 44100;
constexpr double peak_level = 0.5; // -6 dBFS
constexpr double fade_seconds = 0.008;

struct Partial {
    double ratio;
    double gain;
};

// Odd harmonics falling off as 1/n², the soft hollow tone of a triangle wave.
const std::vector<Partial> triangle = {{1, 1}, {3, 1.0 / 9}, {5, 1.0 / 25}};
const std::vector<Partial> sine = {{1, 1}};

struct Note {
    double start;  // seconds
    double length; // seconds
    double pitch;  // Hz
    double gain;   // relative to the other notes of the cue
    double attack; // seconds of raised-cosine rise
    double decay;  // seconds for the level to fall to 1/e
    const std::vector<Partial>* partials;
};

using Samples = std::vector<double>;

double raised_cosine(double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * x); }

// Rises from zero, decays exponentially and fades to exactly zero at the end of the note, so
// that neither edge clicks.
double envelope(const Note& note, double t) {
    double level = std::exp(-t / note.decay);
    if (t < note.attack) level *= raised_cosine(t / note.attack);
    const double left = note.length - t;
    if (left < fade_seconds) level *= raised_cosine(left / fade_seconds);
    return level;
}

void add(Samples& samples, const Note& note) {
    const auto first = static_cast<std::size_t>(std::lround(note.start * rate));
    const auto count = static_cast<std::size_t>(std::lround(note.length * rate));
    if (samples.size() < first + count) samples.resize(first + count, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        double value = 0;
        for (const Partial& p : *note.partials) {
            // Higher partials die away faster, as they do in struck wood and metal.
            value += p.gain * std::exp(-t * (p.ratio - 1) / (4 * note.decay)) *
                     std::sin(2 * std::numbers::pi * note.pitch * p.ratio * t);
        }
        samples[first + i] += note.gain * envelope(note, t) * value;
    }
}

Samples render(const std::vector<Note>& notes, double length) {
    Samples samples(static_cast<std::size_t>(std::lround(length * rate)), 0.0);
    for (const Note& note : notes) add(samples, note);
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    if (peak > 0)
        for (double& s : samples) s *= peak_level / peak;
    return samples;
}

void put_le(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

bool write_wav(const std::string& path, const Samples& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put_le(out, 36 + data_bytes, 4);
    out.write("WAVEfmt ", 8);
    put_le(out, 16, 4); // fmt chunk size
    put_le(out, 1, 2);  // PCM
    put_le(out, 1, 2);  // mono
    put_le(out, rate, 4);
    put_le(out, rate * 2, 4); // byte rate
    put_le(out, 2, 2);        // block align
    put_le(out, 16, 2);       // bits per sample
    out.write("data", 4);
    put_le(out, data_bytes, 4);
    for (double s : samples) {
        const auto value = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767));
        put_le(out, static_cast<std::uint16_t>(value), 2);
    }
    return static_cast<bool>(out);
}

// A dry knock: a low body under a short inharmonic click, like a stone set on a wooden board.
Samples put_piece() {
    static const std::vector<Partial> wood = {{1, 1}, {2.76, 0.35}, {5.40, 0.12}};
    return render(
        {{0, 0.085, 190, 1.0, 0.0015, 0.018, &sine}, {0, 0.050, 720, 0.6, 0.0010, 0.009, &wood}},
        0.085);
}

Samples take_two() {
    static const std::vector<Partial> bell = {{1, 1}, {2, 0.25}, {3, 0.08}};
    return render(
        {{0, 0.18, 1046.5, 0.9, 0.003, 0.07, &bell}, {0.11, 0.19, 1568.0, 1.0, 0.003, 0.08, &bell}},
        0.30);
}

// C major rising to the octave, the top note held over a soft fifth.
Samples victory() {
    std::vector<Note> notes;
    const double steps[] = {523.25, 659.25, 783.99};
    for (int i = 0; i < 3; ++i)
        notes.push_back({0.12 * i, 0.30, steps[i], 0.8, 0.008, 0.16, &triangle});
    notes.push_back({0.36, 0.64, 1046.5, 1.0, 0.010, 0.30, &triangle});
    notes.push_back({0.36, 0.64, 783.99, 0.45, 0.020, 0.30, &triangle});
    return render(notes, 1.0);
}

Samples bad() {
    return render({{0, 0.09, 110, 1.0, 0.004, 0.035, &triangle},
                   {0.10, 0.10, 98, 1.0, 0.004, 0.035, &triangle}},
                  0.20);
}

Samples alert() {
    static const std::vector<Partial> beep = {{1, 1}, {2, 0.15}};
    return render(
        {{0, 0.12, 880, 1.0, 0.006, 0.5, &beep}, {0.17, 0.12, 880, 1.0, 0.006, 0.5, &beep}}, 0.30);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_cues <output dir>\n";
        return 2;
    }
    const std::string dir = argv[1];
    const std::pair<const char*, Samples> cues[] = {
        {"put_piece.wav", put_piece()}, {"take_two.wav", take_two()},
        {"victory.wav", victory()},     {"bad.wav", bad()},
        {"alert.wav", alert()},
    };
    for (const auto& [name, samples] : cues) {
        if (!write_wav(dir + "/" + name, samples)) {
            std::cerr << "make_cues: cannot write " << dir << "/" << name << "\n";
            return 1;
        }
    }
    return 0;
}
