#include "core/forming/brief_system.h"

#include <limits>
#include <unordered_set>
#include <vector>

namespace kav {

namespace {

constexpr char kNoLetter = '\0';

Message noTemplateMessage() {
    return Message{"Измените число подстраховок", "Нет подходящей бриф-системы"};
}

// How one event takes its letter from a template row.
struct EventRole {
    enum Kind { Single, Double, Triple } kind = Single;
    int number = 0;                // double or triple number j, 1-based
    int firstOutcome = 0;          // the first marked outcome in the order 1, X, 2
    std::array<int, 2> pair{0, 0}; // a double's first and second outcome
};

// Roles for key (d', t'): walking down from event 15, the highest-numbered
// triple is triple t' and the highest-numbered double is double d'; what is
// left over plays its first marked outcome.
std::array<EventRole, kEvents> eventRoles(const DrawModel& m, int dKey, int tKey) {
    std::array<EventRole, kEvents> roles{};
    int pT = tKey, pD = dKey;
    for (int e = kEvents - 1; e >= 0; --e) {
        EventRole& r = roles[e];
        OutcomeSet set = m.markedSet(e);
        for (int o = 0; o < kOutcomes; ++o) {
            if (set & outcomeBit(o)) {
                r.firstOutcome = o;
                break;
            }
        }
        int n = m.markedCount(e);
        if (n == 3 && pT > 0) {
            r.kind = EventRole::Triple;
            r.number = pT--;
        } else if (n == 2 && pD > 0) {
            r.kind = EventRole::Double;
            r.number = pD--;
            r.pair = doubleOrder(set);
        }
    }
    return roles;
}

struct Labels {
    std::array<std::uint8_t, kEvents + 1> doubleSwap{}; // 1-based
    std::array<std::uint8_t, kEvents + 1> tripleShift{};
};

// The letters a row gives before the forced-bet exchange (kNoLetter where a
// double position holds no symbol).
std::array<char, kEvents> rowLetters(const TemplateRow& row, int tKey,
                                     const std::array<EventRole, kEvents>& roles,
                                     const Labels& labels) {
    std::array<char, kEvents> letters{};
    const unsigned dOnes = static_cast<unsigned>(row.rowOnes) >> tKey;
    const unsigned dTwos = static_cast<unsigned>(row.rowTwos) >> tKey;
    for (int e = 0; e < kEvents; ++e) {
        const EventRole& r = roles[e];
        switch (r.kind) {
        case EventRole::Triple: {
            unsigned bit = 1u << (r.number - 1);
            int y = (row.rowOnes & bit) ? 0 : (row.rowDraws & bit) ? 1 : 2;
            letters[e] = outcomeLetter((y + labels.tripleShift[r.number]) % 3);
            break;
        }
        case EventRole::Double: {
            unsigned bit = 1u << (r.number - 1);
            int swap = labels.doubleSwap[r.number];
            if (dOnes & bit)
                letters[e] = outcomeLetter(r.pair[swap]);
            else if (dTwos & bit)
                letters[e] = outcomeLetter(r.pair[1 - swap]);
            else
                letters[e] = kNoLetter;
            break;
        }
        case EventRole::Single:
            letters[e] = outcomeLetter(r.firstOutcome);
            break;
        }
    }
    return letters;
}

bool isMarkedLetter(const DrawModel& m, int e, char letter) {
    int o = outcomeIndex(letter);
    return letter != 'x' && o >= 0 && m.marked(e, o);
}

// Trades the forced outcome and the first row's outcome in every row, so the
// first row becomes the forced bet. Both must be marked outcomes of the event:
// otherwise the trade would put an unmarked outcome into the system.
char applyForcedBet(const BriefInput& in, const std::array<char, kEvents>& firstRow, int e,
                    char letter) {
    const char forced = in.model.forcedBet.size() == kEvents ? in.model.forcedBet[e] : ' ';
    if (!in.startWith || letter == kNoLetter || !isMarkedLetter(in.model, e, forced) ||
        !isMarkedLetter(in.model, e, firstRow[e]))
        return letter;
    if (letter == forced)
        return firstRow[e];
    if (letter == firstRow[e])
        return forced;
    return letter;
}

// The amount of a single bet: the stake text padded to two decimals. A text
// that is a number but not in plain decimal form (blanks, exponent) is written
// as its value, so the line stays readable by the bet-list parse.
std::string singleBetAmount(std::string_view stakeText, Fixed4 stake) {
    bool plain = !stakeText.empty() && stakeText.front() != '.';
    int dots = 0;
    for (char c : stakeText) {
        if (c == '.')
            ++dots;
        else if (c < '0' || c > '9')
            plain = false;
    }
    return plain && dots <= 1 ? padTwoDecimals(std::string(stakeText)) : stake.moneyText2();
}

std::string betLine(const std::string& amount, const std::array<char, kEvents>& letters) {
    std::string out = amount;
    for (int e = 0; e < kEvents; ++e) {
        if (letters[e] == kNoLetter)
            continue;
        out += ';';
        out += std::to_string(e + 1);
        out += "-(";
        out += letters[e];
        out += ')';
    }
    out += '.';
    return out;
}

std::vector<TemplateRow> rowsOf(std::initializer_list<std::string_view> texts) {
    std::vector<TemplateRow> rows;
    for (auto t : texts)
        rows.push_back(*parseTemplateRow(t));
    return rows;
}

} // namespace

std::array<int, 2> doubleOrder(OutcomeSet pair) {
    switch (pair & 7) {
    case 1 | 2:
        return {1, 0}; // "1" and "X": "X" first
    case 1 | 4:
        return {0, 2};
    default:
        return {1, 2};
    }
}

namespace {

// The doubles and triples of a complete selection, its variants and the stake.
struct SelectionShape {
    int doubles = 0;
    int triples = 0;
    std::uint64_t variants = 1;
    Fixed4 stake;
};

// The shape of the selection, or the message that stops the expansion: an
// event without a mark, or a stake that is no number, negative, or so large
// that the money total would leave the fixed-point range.
MaybeMessage readSelectionShape(const BriefInput& in, SelectionShape& shape) {
    for (int e = 0; e < kEvents; ++e) {
        int n = in.model.markedCount(e);
        if (n == 0)
            return Message{"Для каждого матча должно быть проставлено от 1 до 3 выборов"};
        shape.doubles += n == 2;
        shape.triples += n == 3;
    }
    auto stake = stakePerBet(in.stakeText);
    for (int i = 0; i < shape.doubles; ++i)
        shape.variants *= 2;
    for (int i = 0; i < shape.triples; ++i)
        shape.variants *= 3;
    if (!stake || stake->raw() < 0 ||
        static_cast<Int128>(stake->raw()) * shape.variants >
            std::numeric_limits<std::int64_t>::max())
        return Message{"Сумма на одну ставку должна быть числом не меньше нуля"};
    shape.stake = *stake;
    return std::nullopt;
}

// The rows of the system for the category and the key they are read with
// (a one-hit system is keyed by one double or one triple); nothing with the
// message when the template is missing or broken.
struct SystemRows {
    int doubles = 0, triples = 0;
    std::vector<TemplateRow> rows;
};
std::optional<SystemRows> systemRowsFor(const BriefInput& in, const SelectionShape& shape,
                                        MaybeMessage& message) {
    const int d = shape.doubles, t = shape.triples;
    const int singles = kEvents - d - t;
    SystemRows sys{d, t, {}};
    if (singles >= in.category) {
        sys.rows = rowsOf({"111111111111111"});
        return sys;
    }
    const int k = in.category - singles;
    if (k == 1) {
        sys.doubles = d > 0 ? 1 : 0;
        sys.triples = d > 0 ? 0 : 1;
    }
    auto file = findTemplate(in.folder, sys.doubles, sys.triples, k, in.ownFolder);
    if (!file) {
        if (k != 1) {
            message = noTemplateMessage();
            return std::nullopt;
        }
        // The one-hit systems the summary announces (2 bets for a double,
        // 3 for a triple) need no file; a file of that key still wins.
        sys.rows = d > 0 ? rowsOf({"1", "2"}) : rowsOf({"1", "X", "2"});
        return sys;
    }
    TemplateRows read = readTemplateRows(*file);
    const std::string name = file->filename().string();
    if (!read.readable) {
        message = Message{"Не удалось прочитать шаблон бриф-системы " + name};
        return std::nullopt;
    }
    if (read.badLine) {
        message = Message{"Строка " + std::to_string(read.badLine) + " шаблона " + name +
                          " не читается: символ стоит дальше 16-й позиции от конца строки"};
        return std::nullopt;
    }
    sys.rows = std::move(read.rows);
    return sys;
}

} // namespace

BriefResult expandBriefSystem(const BriefInput& in, Rng& rng, BriefState& state) {
    BriefResult res;
    const DrawModel& m = in.model;
    SelectionShape shape;
    if ((res.message = readSelectionShape(in, shape)))
        return res;

    Labels labels;
    for (int j = 1; j <= shape.doubles; ++j)
        labels.doubleSwap[j] = static_cast<std::uint8_t>(rng.below(2));
    for (int j = 1; j <= shape.triples; ++j)
        labels.tripleShift[j] = static_cast<std::uint8_t>(rng.below(3));

    // Lines present before the click; lines of this click are not compared with each other.
    std::unordered_set<std::string_view> before(in.bets.begin(), in.bets.end());

    if (in.category >= kEvents) {
        std::string line = formatSelectionCoupon(m, shape.variants, shape.stake);
        if (!before.count(line))
            res.appended.push_back(std::move(line));
        return res;
    }
    const auto sys = systemRowsFor(in, shape, res.message);
    if (!sys)
        return res;

    res.bulk = true;
    const auto roles = eventRoles(m, sys->doubles, sys->triples);
    const std::string amount = singleBetAmount(in.stakeText, shape.stake);
    std::array<char, kEvents> firstRow = state.firstRowBet;
    for (std::size_t i = 0; i < sys->rows.size(); ++i) {
        auto letters = rowLetters(sys->rows[i], sys->triples, roles, labels);
        if (i == 0)
            for (int e = 0; e < kEvents; ++e)
                if (letters[e] != kNoLetter)
                    firstRow[e] = letters[e];
        for (int e = 0; e < kEvents; ++e)
            letters[e] = applyForcedBet(in, firstRow, e, letters[e]);
        std::string line = betLine(amount, letters);
        if (!before.count(line))
            res.appended.push_back(std::move(line));
    }
    state.firstRowBet = firstRow;
    return res;
}

} // namespace kav
