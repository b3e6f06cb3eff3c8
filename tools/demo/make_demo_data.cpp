// Makes the data files of the demo payload, the same bytes on every run:
//
//   make_demo_data OUTPUT_FOLDER
//
// writes into OUTPUT_FOLDER
//   dornw_wheels.bin  the wheel table built into dornw.exe (6 numbers a ticket)
//   wheels6.qdb       the wheel database for games drawing 6 numbers
//   wheels5.qdb       the wheel database for games drawing 5 numbers
//   draws.qdb         a draw history of the demo's 6/49 game
//   drawsadd.qdb      a draw history of the demo's 5/39 game
//
// A wheel of v numbers, k to a ticket, with guarantee t, is a set of tickets
// such that any t of the v numbers appear together on at least one ticket.
// The wheels here are made by a greedy method (see GreedyWheel); they are not
// the smallest known, but each is checked to keep its guarantee, which is what
// a demo must do. The files' layout is described in the demo's
// read-me and in dornw.asm, which reads the first wheel of its table.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

std::uint64_t Binomial(int n, int k) {
    if (k < 0 || k > n) {
        return 0;
    }
    std::uint64_t result = 1;
    for (int i = 1; i <= k; ++i) {
        result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    }
    return result;
}

// Calls visit for every size-subset of {0..n-1} in lexicographic order.
template <typename Visit>
void ForEachSubset(int n, int size, Visit&& visit) {
    std::vector<int> members(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        members[static_cast<std::size_t>(i)] = i;
    }
    for (;;) {
        if (!visit(members)) {
            return;
        }
        int i = size - 1;
        while (i >= 0 && members[static_cast<std::size_t>(i)] == n - size + i) {
            --i;
        }
        if (i < 0) {
            return;
        }
        ++members[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < size; ++j) {
            members[static_cast<std::size_t>(j)] = members[static_cast<std::size_t>(j - 1)] + 1;
        }
    }
}

using Ticket = std::vector<int>;

std::vector<Ticket> GreedyWheel(int v, int k, int t) {
    // Every t-subset of the v numbers has a dense index, its combinatorial
    // (colex) rank: the sum of C(member, position) over its sorted members.
    // Binomial coefficients for ranking, and the positions of every t-subset
    // within a ticket, computed once: the passes below run over millions of
    // tickets for the larger wheels.
    std::uint64_t binomial[64][8] = {};
    for (int n = 0; n < 64; ++n) {
        for (int r = 0; r < 8; ++r) {
            binomial[n][r] = Binomial(n, r);
        }
    }
    std::vector<std::vector<int>> picks;
    ForEachSubset(k, t, [&](const std::vector<int>& pick) {
        picks.push_back(pick);
        return true;
    });

    std::vector<bool> covered(Binomial(v, t), false);
    std::uint64_t left = covered.size();
    std::vector<Ticket> tickets;
    std::vector<std::uint64_t> fresh;
    // Passes with a falling threshold: first keep only tickets whose t-subsets
    // are all new, then those with one fewer, and so on down to one. Each pass
    // walks the k-subsets in lexicographic order.
    for (std::size_t threshold = picks.size(); threshold > 0 && left > 0; --threshold) {
        ForEachSubset(v, k, [&](const std::vector<int>& ticket) {
            fresh.clear();
            for (std::size_t p = 0; p < picks.size(); ++p) {
                if (fresh.size() + (picks.size() - p) < threshold) {
                    return true;  // this ticket cannot reach the threshold any more
                }
                std::uint64_t rank = 0;
                for (int i = 0; i < t; ++i) {
                    rank += binomial[ticket[static_cast<std::size_t>(
                        picks[p][static_cast<std::size_t>(i)])]][i + 1];
                }
                if (!covered[rank]) {
                    fresh.push_back(rank);
                }
            }
            if (fresh.size() >= threshold) {
                for (std::uint64_t rank : fresh) {
                    covered[rank] = true;
                }
                left -= fresh.size();
                tickets.push_back(ticket);
            }
            return left > 0;
        });
    }
    return tickets;
}

struct WheelSpec {
    int v, k, t;
};

// Checks the guarantee itself, independently of how the wheel was made: every
// t of the v numbers lie together on some ticket.
bool CoversEverything(const WheelSpec& spec, const std::vector<Ticket>& tickets) {
    std::vector<std::uint64_t> masks;
    for (const Ticket& ticket : tickets) {
        std::uint64_t mask = 0;
        for (int number : ticket) {
            mask |= std::uint64_t{1} << number;
        }
        masks.push_back(mask);
    }
    bool all = true;
    ForEachSubset(spec.v, spec.t, [&](const std::vector<int>& pick) {
        std::uint64_t wanted = 0;
        for (int number : pick) {
            wanted |= std::uint64_t{1} << number;
        }
        all = std::any_of(masks.begin(), masks.end(),
                          [&](std::uint64_t mask) { return (mask & wanted) == wanted; });
        return all;
    });
    return all;
}

// Wheel database: "TQDB", version 1, wheel count, then per wheel v, k, t, a
// zero byte, the ticket count and the tickets as numbers from 1 to v.
Bytes WheelDatabase(const std::vector<WheelSpec>& specs) {
    Bytes out = {'T', 'Q', 'D', 'B'};
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(specs.size()));
    for (const WheelSpec& spec : specs) {
        const std::vector<Ticket> tickets = GreedyWheel(spec.v, spec.k, spec.t);
        if (!CoversEverything(spec, tickets)) {
            std::fprintf(stderr, "make_demo_data: wheel %d/%d/%d misses a guarantee\n", spec.v,
                         spec.k, spec.t);
            std::exit(1);
        }
        out.push_back(static_cast<std::uint8_t>(spec.v));
        out.push_back(static_cast<std::uint8_t>(spec.k));
        out.push_back(static_cast<std::uint8_t>(spec.t));
        out.push_back(0);
        Put16(out, static_cast<unsigned>(tickets.size()));
        for (const Ticket& ticket : tickets) {
            for (int number : ticket) {
                out.push_back(static_cast<std::uint8_t>(number + 1));
            }
        }
    }
    return out;
}

std::vector<WheelSpec> Range(int k, int t, int fromV, int toV) {
    std::vector<WheelSpec> specs;
    for (int v = fromV; v <= toV; ++v) {
        specs.push_back({v, k, t});
    }
    return specs;
}

std::vector<WheelSpec> Join(std::vector<WheelSpec> a, const std::vector<WheelSpec>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A small fixed generator (splitmix64), so the histories are the same on
// every machine and with every standard library.
class Draws {
  public:
    explicit Draws(std::uint64_t seed) : state_(seed) {}
    int Below(int n) {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<int>(z % static_cast<std::uint64_t>(n));
    }

  private:
    std::uint64_t state_;
};

// Days since 1970-01-01 for a civil date, and back (proleptic Gregorian).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

unsigned DosDate(long days) {
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return static_cast<unsigned>(((y - 1980) << 9) | (m << 5) | d);
}

// Draw history: "TQDD", version 1, draw count, the game's name in 24 bytes,
// balls drawn, highest number, bonus balls (0 or 1), a zero byte; then per
// draw its MS-DOS date, the balls in ascending order and the bonus ball.
Bytes DrawHistory(const char* game, int balls, int highest, int bonus, long firstDay,
                  const std::vector<int>& weekdayGaps, int count, std::uint64_t seed) {
    Bytes out = {'T', 'Q', 'D', 'D'};
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(count));
    std::string name(game);
    name.resize(24, '\0');
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(static_cast<std::uint8_t>(balls));
    out.push_back(static_cast<std::uint8_t>(highest));
    out.push_back(static_cast<std::uint8_t>(bonus));
    out.push_back(0);

    Draws random(seed);
    long day = firstDay;
    for (int draw = 0; draw < count; ++draw) {
        Put16(out, DosDate(day));
        day += weekdayGaps[static_cast<std::size_t>(draw) % weekdayGaps.size()];
        std::vector<bool> taken(static_cast<std::size_t>(highest) + 1, false);
        std::vector<int> picked;
        while (static_cast<int>(picked.size()) < balls + bonus) {
            const int ball = 1 + random.Below(highest);
            if (!taken[static_cast<std::size_t>(ball)]) {
                taken[static_cast<std::size_t>(ball)] = true;
                picked.push_back(ball);
            }
        }
        std::vector<int> main(picked.begin(), picked.begin() + balls);
        std::sort(main.begin(), main.end());
        for (int ball : main) {
            out.push_back(static_cast<std::uint8_t>(ball));
        }
        if (bonus != 0) {
            out.push_back(static_cast<std::uint8_t>(picked.back()));
        }
    }
    return out;
}

bool Write(const std::string& folder, const char* name, const Bytes& bytes) {
    const std::string path = folder + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "make_demo_data: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_data OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    // dornw.exe prints the first wheel of its table as the sample listing.
    const Bytes builtIn = WheelDatabase(
        Join(Join({{10, 6, 3}}, Range(6, 3, 7, 9)),
             Join(Join(Range(6, 3, 11, 22), Range(6, 4, 7, 18)), Range(6, 5, 7, 16))));
    const Bytes wheels6 =
        WheelDatabase(Join(Join(Range(6, 3, 7, 24), Range(6, 4, 7, 25)), Range(6, 5, 7, 24)));
    const Bytes wheels5 =
        WheelDatabase(Join(Join(Range(5, 3, 6, 24), Range(5, 4, 6, 21)), Range(5, 5, 6, 17)));
    const Bytes draws = DrawHistory("Tessaly Lotto 6/49", 6, 49, 1, DaysFromCivil(1994, 1, 5),
                                    {3, 4}, 1040, 0x54455353ull);
    const Bytes drawsAdd = DrawHistory("Tessaly Daily 5/39", 5, 39, 0, DaysFromCivil(1997, 3, 3),
                                       {1, 1, 1, 1, 1, 2}, 1500, 0x44414C59ull);
    const bool ok = Write(folder, "dornw_wheels.bin", builtIn) &&
                    Write(folder, "wheels6.qdb", wheels6) &&
                    Write(folder, "wheels5.qdb", wheels5) && Write(folder, "draws.qdb", draws) &&
                    Write(folder, "drawsadd.qdb", drawsAdd);
    return ok ? 0 : 1;
}
