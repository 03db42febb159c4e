#include "core/forming/autoform.h"

#include "core/forming/autoform_field.h"
#include "core/forming/autoform_search.h"
#include "core/value/field_walk.h"
#include "core/value/value_forming.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

constexpr int kMaxGroups = 16; // a 16-bit mask holds no more
constexpr std::int64_t kQuestionSeconds = 10;
constexpr double kEstimateSampleSeconds = 0.005;

bool stopped(const AutoformHooks& h) {
    return h.cancel && h.cancel->load(std::memory_order_relaxed);
}

void show(const AutoformHooks& h, std::string caption, double percent = 0.0,
          std::optional<std::string> title = {}) {
    if (h.progress)
        h.progress(AutoformProgress{std::move(caption), std::move(title), percent});
}

// Per event and digit, the percentage a result's weight takes: the pool share
// for method 2, the quote otherwise.
WeightFactors percentages(const DrawModel& m, const FieldLayout& f, bool byPool) {
    WeightFactors p{};
    for (int e = 0; e < kEvents; ++e)
        for (int d = 0; d < f.size[e]; ++d) {
            const int o = f.outcome[e][d];
            p[e][d] = (byPool ? m.poolShares[e][o] : m.quotes[e][o]).toDouble();
        }
    return p;
}

// The weight of every result, a 32-bit product of its outcomes'
// percentages taken event by event; the caption counts the results done.
class FieldWeights {
public:
    FieldWeights(const FieldLayout& f, const WeightFactors& percent, const AutoformHooks& h)
        : f_(f), percent_(percent), hooks_(h) {}

    // False when cancelled.
    bool fill(std::vector<float>& weight, float& total) {
        weight.resize(f_.count);
        out_ = weight.data();
        enumerate(0, 1.0f);
        total = total_;
        return !stoppedEarly_;
    }

private:
    void enumerate(int e, float w) {
        if (stoppedEarly_)
            return;
        if (e == kEvents) {
            out_[index_] = w;
            total_ = total_ + w;
            const auto p = static_cast<int>(static_cast<std::uint64_t>(index_) * 100 / f_.count);
            if (p != shown_) {
                shown_ = p;
                show(hooks_, "Подготовка " + std::to_string(p) + "%", p);
                stoppedEarly_ = stopped(hooks_);
            }
            ++index_;
            return;
        }
        for (int d = 0; d < f_.size[e]; ++d)
            enumerate(e + 1, static_cast<float>(static_cast<double>(w) * percent_[e][d] / 100.0));
    }

    const FieldLayout& f_;
    const WeightFactors& percent_;
    const AutoformHooks& hooks_;
    float* out_ = nullptr;
    std::uint32_t index_ = 0;
    float total_ = 0.0f;
    int shown_ = 0;
    bool stoppedEarly_ = false;
};

// The lines of the list cover from the start. Returns a message when a
// line is beyond the notation.
MaybeMessage takeInList(const FieldLayout& f, int misses, const Lines& betList,
                        std::vector<std::uint8_t>& state, std::int64_t& packageBets) {
    for (std::size_t i = 0; i < betList.size(); ++i) {
        std::string_view line = trimLine(betList[i]);
        const auto semi = line.find(';');
        if (line.empty() || semi == std::string_view::npos)
            continue;
        const GroupScan g = scanGroups(line.substr(semi + 1));
        if (g.groups > kMaxGroups)
            return Message{"Строка " + std::to_string(i + 1) +
                           " списка ставок содержит больше 16 событий: автоформирование "
                           "остановлено"};
        packageBets += static_cast<std::int64_t>(g.variants);
        // A sixteenth group would push the first one out of the events, and the
        // rest would cover as some other bet: such a line is no coupon.
        if (g.groups != kEvents)
            continue;
        const DigitSets allowed = couponDigits(f, g.ones, g.draws, g.twos);
        const bool inField =
            std::all_of(allowed.begin(), allowed.end(), [](std::uint8_t s) { return s != 0; });
        if (!inField)
            continue;
        forEachReached(f, allowed, 0, [&](std::uint32_t h) { state[h] = kInList; });
        forEachReached(f, allowed, misses, [&](std::uint32_t r) { state[r] |= kCovered; });
    }
    return std::nullopt;
}

} // namespace

std::optional<AutoformMethod> autoformMethodAt(int index) {
    if (index < static_cast<int>(AutoformMethod::ByCount) ||
        index > static_cast<int>(AutoformMethod::ByValue))
        return std::nullopt;
    return static_cast<AutoformMethod>(index);
}

AutoformMethod autoformMethodOfList(int currentIndex) {
    return autoformMethodAt(currentIndex).value_or(AutoformMethod::ByProbability);
}

MaybeMessage stepTimeQuestion(std::int64_t seconds) {
    if (seconds <= kQuestionSeconds)
        return std::nullopt;
    return Message{"Время поиска одной ставки ~ " + std::to_string(seconds / 60) + " мин " +
                       std::to_string(seconds % 60) + " сек",
                   "Внимание! Продолжать?", Buttons::OkCancel};
}

std::string autoformPercentText(float coveredWeight, float coverageTarget) {
    return Fixed4::fromDouble(100.0 * static_cast<double>(coveredWeight) /
                              static_cast<double>(coverageTarget))
        .moneyText();
}

namespace {

// The weight of every result of the field in field order, and their 32-bit
// total: equal weights for the counting methods, else the product of the
// outcomes' percentages normalised by the total. False when cancelled.
bool resultWeights(const FieldLayout& f, const WeightFactors& percent, AutoformMethod method,
                   const AutoformHooks& hooks, std::vector<float>& weight, float& total) {
    if (!FieldWeights(f, percent, hooks).fill(weight, total))
        return false;
    if (method == AutoformMethod::ByCount || method == AutoformMethod::Disjoint) {
        std::fill(weight.begin(), weight.end(),
                  static_cast<float>(1.0 / static_cast<double>(f.count)));
    } else if (total > 0.0f) {
        for (float& w : weight)
            w = w / total;
    }
    return true;
}

// The steps of the search until the bet limit, the target or a step without
// a choice; false when cancelled. `covered` grows by every chosen bet's gain.
bool searchSteps(AutoformSearch& search, const AutoformSettings& s, std::int64_t limit, Rng& rng,
                 const AutoformHooks& hooks, float& covered, AutoformResult& res) {
    while (true) {
        bool cancelled = false;
        const auto choice = search.bestCandidate(rng, hooks.cancel, cancelled);
        if (cancelled)
            return false;
        ++res.steps;
        if (choice) {
            search.choose(choice->result);
            ++res.packageBets;
            covered = covered + choice->gain;
        }
        const std::string x = autoformPercentText(covered, s.coverageTarget);
        show(hooks, "Выполнено: " + x + "%",
             100.0 * static_cast<double>(covered) / static_cast<double>(s.coverageTarget), x + "%");
        if (covered >= s.coverageTarget)
            res.stop = AutoformStop::Target;
        else if (res.packageBets >= limit)
            res.stop = AutoformStop::BetLimit;
        else if (!choice)
            res.stop = AutoformStop::NoGain;
        if (res.packageBets >= limit || covered >= s.coverageTarget || !choice)
            return true;
        if (stopped(hooks))
            return false;
    }
}

// By value: the field's bets that raise the list's expected return most, each
// while it gains more than its own stake, in the order chosen.
AutoformResult autoFormByValue(const DrawModel& m, const FieldLayout& f, const Lines& betList,
                               const AutoformSettings& s, std::int64_t limit,
                               const AutoformHooks& hooks) {
    AutoformResult res;
    ValueFormInput request;
    for (int e = 0; e < kEvents; ++e)
        for (int d = 0; d < f.size[e]; ++d)
            request.field[e] |= outcomeBit(f.outcome[e][d]);
    for (const auto& line : betList)
        if (const auto c = readCompleteLine(line))
            value::forEachVariant(c->sets, [&](const Variant& v) {
                if (request.start.size() <= kValueStartLimit)
                    request.start.push_back(v);
            });
    const double stake = stakePerBet(s.stakeText)->toDouble();
    request.limit = limit;
    if (s.amountLimit > 0 && stake > 0)
        request.limit = std::min<std::int64_t>(
            limit, static_cast<std::int64_t>(std::floor(s.amountLimit / stake + 1e-9)));
    if (request.limit < 1) {
        res.message = Message{"Сумма меньше ставки: добавить нечего"};
        return res;
    }
    // The gain is a payout coefficient: one is the bet's own stake back.
    request.minimumGain = 1;
    const std::int64_t wanted = request.limit;
    show(hooks, "Подготовка...");
    const ValueFormOutcome o = formByValue(
        analysisInput(m, s.totals, AnalysedVariant{}), request, ValueGreedy::Kept, hooks.cancel,
        [&](std::int64_t chosen) {
            const double percent =
                100.0 * static_cast<double>(chosen) / static_cast<double>(wanted);
            show(hooks,
                 "Выбрано ставок: " + std::to_string(chosen) + " из " + std::to_string(wanted),
                 percent, std::to_string(static_cast<int>(percent)) + "%");
        });
    if (o.status == AnalysisStatus::Cancelled) {
        res.cancelled = true;
        return res;
    }
    if (o.status != AnalysisStatus::Done) {
        res.message = Message{o.problem};
        return res;
    }
    for (const Variant& v : o.chosen)
        res.added.push_back(formatVariant(v, s.stakeText));
    res.steps = static_cast<std::int64_t>(o.chosen.size());
    res.packageBets = static_cast<std::int64_t>(request.start.size() + o.chosen.size());
    if (o.chosen.empty())
        res.message = Message{"Ни одна ставка поля не добавляет ценности больше своей суммы"};
    return res;
}

AutoformResult runAutoform(const DrawModel& m, const Lines& betList, const AutoformSettings& s,
                           Rng& rng, const AutoformHooks& hooks, AutoformStrategy strategy) {
    AutoformResult res;
    show(hooks, "Подготовка...");
    const int category = std::clamp(s.category, 9, kEvents);
    const int misses = kEvents - category;
    const std::int64_t limit = std::max<std::int64_t>(s.betLimit, 1);
    const AutoformMethod method = s.method;

    const auto field = fieldLayout(m);
    if (!field) {
        res.message = Message{"Выбраны не все события"};
        return res;
    }
    // The bets are written with the stake field's text: refuse while it holds no number.
    if (!stakePerBet(s.stakeText)) {
        res.message = Message{"Сумма на одну ставку должна быть числом"};
        return res;
    }
    const FieldLayout& f = *field;
    if (method == AutoformMethod::ByValue)
        return autoFormByValue(m, f, betList, s, limit, hooks);

    const WeightFactors percent = percentages(m, f, method == AutoformMethod::ByPool);
    std::vector<float> weight;
    float total = 0.0f;
    if (!resultWeights(f, percent, method, hooks, weight, total)) {
        res.cancelled = true;
        return res;
    }

    std::vector<std::uint8_t> state(f.count, 0);
    res.message = takeInList(f, misses, betList, state, res.packageBets);
    if (res.message)
        return res;

    float covered = 0.0f;
    for (std::uint32_t r = 0; r < f.count; ++r)
        if (state[r] != 0)
            covered = covered + weight[r];

    WeightFactors factors = percent;
    for (auto& event : factors)
        for (double& x : event)
            x /= 100.0;
    AutoformSearch search(f, misses, method, weight, state, factors, total > 0.0f ? total : 1.0f,
                          strategy);
    res.ballSize = search.ballSize();
    // The estimate measures this search, not the plain double loop: a warning
    // of minutes for a step of milliseconds would be plainly wrong.
    res.estimateSeconds = search.estimateStepTime(kEstimateSampleSeconds);

    show(hooks, "Выполнено: 0%");
    if (auto question = stepTimeQuestion(res.estimateSeconds);
        question && hooks.confirm && !hooks.confirm(*question)) {
        res.declined = true;
        return res;
    }
    if (!search.setUp(hooks.cancel)) {
        res.cancelled = true;
        return res;
    }
    const bool finished = searchSteps(search, s, limit, rng, hooks, covered, res);
    res.coveredWeight = covered;
    Lines& chosen = finished ? res.added : res.chosenBeforeCancel;
    for (std::uint32_t r = 0; r < f.count; ++r)
        if (state[r] & kChosen)
            chosen.push_back(formatVariant(f.variant(r), s.stakeText));
    if (!finished) {
        res.cancelled = true;
        res.stop = AutoformStop::Cancelled;
    }
    return res;
}

} // namespace

AutoformResult autoForm(const DrawModel& m, const Lines& betList, const AutoformSettings& s,
                        Rng& rng, const AutoformHooks& hooks) {
    return runAutoform(m, betList, s, rng, hooks, AutoformStrategy::Lazy);
}

AutoformResult autoFormIncremental(const DrawModel& m, const Lines& betList,
                                   const AutoformSettings& s, Rng& rng,
                                   const AutoformHooks& hooks) {
    return runAutoform(m, betList, s, rng, hooks, AutoformStrategy::Incremental);
}

AutoformResult autoFormWith(AutoformStrategy strategy, const DrawModel& m, const Lines& betList,
                            const AutoformSettings& s, Rng& rng, const AutoformHooks& hooks) {
    return runAutoform(m, betList, s, rng, hooks, strategy);
}

} // namespace kav
