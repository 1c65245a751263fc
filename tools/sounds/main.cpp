// zv-sounds: synthesises the four sound effects (blip, blip2, boom, no) as 16-bit mono 22050 Hz WAV files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTau = 6.283185307179586;

using Samples = std::vector<double>;

Samples silence(double seconds) { return Samples(static_cast<size_t>(seconds * kRate + 0.5), 0.0); }

// Attack and release ramps (raised cosine) so no sound starts or stops with a click.
void fade(Samples& s, double attack, double release) {
    const size_t a = static_cast<size_t>(attack * kRate), r = static_cast<size_t>(release * kRate);
    for (size_t i = 0; i < a && i < s.size(); ++i) s[i] *= 0.5 - 0.5 * std::cos(M_PI * i / a);
    for (size_t i = 0; i < r && i < s.size(); ++i) s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * i / r);
}

// A struck tone: partials (ratio, level) decaying exponentially, starting at `start` seconds.
void addTone(Samples& s, double start, double freq, double decay, double level,
             std::initializer_list<std::pair<double, double>> partials, double glide = 0) {
    const size_t from = static_cast<size_t>(start * kRate);
    std::vector<double> phase(partials.size(), 0.0);
    for (size_t i = from; i < s.size(); ++i) {
        const double t = (i - from) / double(kRate);
        const double f = freq * (1 + glide * (1 - std::exp(-t * 40)));
        const double attack = std::min(1.0, t / 0.003);
        double v = 0;
        size_t k = 0;
        for (const auto& [ratio, amp] : partials) {
            phase[k] += kTau * f * ratio / kRate;
            // Higher partials die away faster, as on a real bell or bar.
            v += amp * std::sin(phase[k]) * std::exp(-t * decay * ratio);
            ++k;
        }
        s[i] += level * attack * v;
    }
}

void lowPass(Samples& s, double cutoff) {
    const double a = 1 - std::exp(-kTau * cutoff / kRate);
    double y = 0;
    for (double& x : s) {
        y += a * (x - y);
        x = y;
    }
}

void normalise(Samples& s, double peak) {
    double m = 0;
    for (double x : s) m = std::max(m, std::fabs(x));
    if (m > 0)
        for (double& x : s) x *= peak / m;
}

Samples blip() {  // a ball is selected
    Samples s = silence(0.060);
    addTone(s, 0, 1318.5, 45, 1.0, {{1, 1.0}, {2, 0.18}, {3, 0.05}}, 0.12);
    fade(s, 0.002, 0.012);
    normalise(s, 0.5);
    return s;
}

Samples blip2() {  // a move that removed nothing
    Samples s = silence(0.120);
    addTone(s, 0.000, 987.8, 40, 1.0, {{1, 1.0}, {2, 0.12}});
    addTone(s, 0.050, 740.0, 35, 0.9, {{1, 1.0}, {2, 0.12}});
    lowPass(s, 4000);
    fade(s, 0.002, 0.02);
    normalise(s, 0.36);
    return s;
}

Samples boom() {  // figures removed: a soft pop and a rising chime
    Samples s = silence(0.350);
    // The pop: a short falling sine thump.
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = i / double(kRate);
        const double f = 110 + 260 * std::exp(-t * 60);
        phase += kTau * f / kRate;
        s[i] += 0.8 * std::sin(phase) * std::exp(-t * 30);
    }
    // A breath of filtered noise at the start.
    Samples air = silence(0.350);
    uint32_t state = 0x2545F491u;
    for (size_t i = 0; i < air.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double t = i / double(kRate);
        air[i] = ((state & 0xffff) / 32768.0 - 1) * std::exp(-t * 90) * 0.35;
    }
    lowPass(air, 2500);
    for (size_t i = 0; i < s.size(); ++i) s[i] += air[i];
    // C major arpeggio with bell-like partials.
    const std::initializer_list<std::pair<double, double>> bell = {{1, 1.0}, {2.0, 0.25}, {2.76, 0.12}, {5.4, 0.04}};
    addTone(s, 0.010, 1046.5, 9, 0.55, bell);
    addTone(s, 0.055, 1318.5, 9, 0.5, bell);
    addTone(s, 0.100, 1568.0, 8, 0.5, bell);
    addTone(s, 0.145, 2093.0, 8, 0.35, bell);
    lowPass(s, 7000);
    fade(s, 0.002, 0.06);
    normalise(s, 0.62);
    return s;
}

Samples no() {  // a move is refused
    Samples s = silence(0.150);
    double p1 = 0, p2 = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        p1 += kTau * 130.0 / kRate;
        p2 += kTau * 134.0 / kRate;  // a slight beat makes it buzz without harshness
        double v = 0;
        for (int h = 1; h <= 9; ++h) v += (std::sin(h * p1) + std::sin(h * p2)) / (h * h * 0.6 + 0.4 * h);
        s[i] = v;
    }
    lowPass(s, 1200);
    fade(s, 0.010, 0.045);
    normalise(s, 0.4);
    return s;
}

void putLe(std::vector<unsigned char>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

bool writeWav(const std::string& path, const Samples& s) {
    const uint32_t dataBytes = static_cast<uint32_t>(s.size() * 2);
    std::vector<unsigned char> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    putLe(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLe(out, dataBytes, 4);
    for (double x : s) {
        const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767);
        putLe(out, static_cast<uint32_t>(static_cast<int16_t>(v)), 2);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const struct { const char* name; Samples (*make)(); } sounds[] = {
        {"blip.wav", blip}, {"blip2.wav", blip2}, {"boom.wav", boom}, {"no.wav", no}};
    for (const auto& snd : sounds) {
        if (!writeWav(dir + "/" + snd.name, snd.make())) {
            std::fprintf(stderr, "zv-sounds: cannot write %s/%s\n", dir.c_str(), snd.name);
            return 1;
        }
    }
    return 0;
}
