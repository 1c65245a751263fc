// Independent board checks for the autoplayer, the soak and the tests.
#include "autoplay/Audit.h"

#include <initializer_list>
#include <utility>

namespace zv::autoplay {

int BallCount(const Grid& g) {
    int n = 0;
    for (ColourCode v : g.cells) n += v != 0;
    return n;
}

bool FigureLeft(Mode m, const Grid& b) {
    auto same = [&](int r, int c, std::initializer_list<std::pair<int, int>> offs) {
        const ColourCode first = b.at(r, c);
        if (first == 0) return false;
        for (auto [dr, dc] : offs) {
            const int rr = r + dr, cc = c + dc;
            if (rr < 1 || rr > 10 || cc < 1 || cc > 10 || b.at(rr, cc) != first) return false;
        }
        return true;
    };
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            bool hit = false;
            switch (m) {
            case Mode::Line:
                hit = same(r, c, {{0, 1}, {0, 2}, {0, 3}, {0, 4}}) || same(r, c, {{1, 0}, {2, 0}, {3, 0}, {4, 0}}) ||
                      same(r, c, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}) || same(r, c, {{1, -1}, {2, -2}, {3, -3}, {4, -4}});
                break;
            case Mode::Square: hit = same(r, c, {{0, 1}, {1, 0}, {1, 1}}); break;
            case Mode::Cross:
                hit = same(r, c, {{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) || same(r, c, {{1, 1}, {-1, -1}, {-1, 1}, {1, -1}});
                break;
            case Mode::Ring:
                hit = same(r, c, {{1, 1}, {-1, 1}, {0, 2}}) ||
                      same(r, c, {{1, 0}, {2, 1}, {2, 2}, {-1, 1}, {-1, 2}, {0, 3}, {1, 3}});
                break;
            case Mode::Block: break;
            }
            if (hit) return true;
        }
    return false;
}

} // namespace zv::autoplay
