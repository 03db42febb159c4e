#include "io/files/project_file.h"

#include "core/base/player_text.h"
#include "io/files/text_file.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <stdexcept>

namespace kav::io {

namespace {

using Json = nlohmann::json;

constexpr const char* kFormatName = "kavendix-project";
constexpr const char* kOutcomeLetters = "1X2";
// Quotes and pool shares a player can type stay well inside this.
constexpr std::int64_t kLargestNumber = 1000000000;

const char* countryName(std::uint8_t c) {
    return c == kRussia ? "ru" : c == kUkraine ? "ua" : "none";
}

const char* modeName(PacketMode m) {
    switch (m) {
    case PacketMode::Conditions:
        return "conditions";
    case PacketMode::Sensations:
        return "sensations";
    case PacketMode::Manual:
        return "manual";
    case PacketMode::Autoform:
        return "autoform";
    case PacketMode::BriefSystems:
        break;
    }
    return "brief";
}

std::string marksText(const DrawModel& d, int e) {
    std::string s;
    for (int o = 0; o < kOutcomes; ++o)
        if (d.marked(e, o))
            s += kOutcomeLetters[o];
    return s;
}

Json numbers(const std::array<Fixed4, kOutcomes>& values) {
    Json a = Json::array();
    for (Fixed4 v : values)
        a.push_back(v.moneyText());
    return a;
}

// A field that breaks the format: its path in the document and what is wrong.
struct FieldError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads fields of one JSON object; a missing field keeps the caller's value.
class Fields {
public:
    Fields(const Json& object, std::string path) : object_(object), path_(std::move(path)) {
        if (!object_.is_object())
            throw FieldError(where("") + " должно быть объектом");
    }

    const Json* find(const char* key) const {
        auto it = object_.find(key);
        return it == object_.end() || it->is_null() ? nullptr : &*it;
    }
    std::string where(const char* key) const {
        std::string p = path_;
        if (*key) {
            if (!p.empty())
                p += '.';
            p += key;
        }
        return "поле \"" + (p.empty() ? std::string("(документ)") : p) + "\"";
    }
    [[noreturn]] void fail(const char* key, const std::string& what) const {
        throw FieldError(where(key) + ": " + what);
    }

    void text(const char* key, std::string& out) const {
        if (const Json* v = find(key)) {
            if (!v->is_string())
                fail(key, "ожидается строка");
            out = v->get<std::string>();
        }
    }
    void flag(const char* key, bool& out) const {
        if (const Json* v = find(key)) {
            if (!v->is_boolean())
                fail(key, "ожидается true или false");
            out = v->get<bool>();
        }
    }
    template <class Int>
    void integer(const char* key, Int& out, std::int64_t lo, std::int64_t hi) const {
        if (const Json* v = find(key)) {
            if (!v->is_number_integer())
                fail(key, "ожидается целое число");
            const auto n = v->get<std::int64_t>();
            if (v->is_number_unsigned() && v->get<std::uint64_t>() > static_cast<std::uint64_t>(hi))
                fail(key, "число вне допустимых пределов");
            if (n < lo || n > hi)
                fail(key, "число " + std::to_string(n) + " вне пределов " + std::to_string(lo) +
                              ".." + std::to_string(hi));
            out = static_cast<Int>(n);
        }
    }
    void real(const char* key, double& out, double lo, double hi) const {
        if (const Json* v = find(key)) {
            if (!v->is_number())
                fail(key, "ожидается число");
            const double d = v->get<double>();
            if (!(d >= lo && d <= hi))
                fail(key, "число вне допустимых пределов");
            out = d;
        }
    }
    // A decimal number written as text ("20.5") or as a JSON number.
    void decimal(const char* key, Fixed4& out) const {
        if (const Json* v = find(key))
            out = decimalValue(*v, key);
    }
    Fixed4 decimalValue(const Json& v, const char* key) const {
        std::optional<Fixed4> f;
        if (v.is_string())
            f = Fixed4::parse(v.get<std::string>());
        else if (v.is_number())
            f = Fixed4::parse(v.dump());
        if (!f)
            fail(key, "ожидается число");
        if (*f > Fixed4::fromInt(kLargestNumber) || *f < Fixed4::fromInt(-kLargestNumber))
            fail(key, "число вне допустимых пределов");
        return *f;
    }
    template <class Enum, std::size_t N>
    void choice(const char* key, Enum& out, const std::array<const char*, N>& names) const {
        if (const Json* v = find(key)) {
            if (v->is_string()) {
                const std::string s = v->get<std::string>();
                for (std::size_t i = 0; i < N; ++i)
                    if (s == names[i]) {
                        out = static_cast<Enum>(i);
                        return;
                    }
            }
            std::string list;
            for (const char* n : names)
                list += std::string(list.empty() ? "" : ", ") + n;
            fail(key, "ожидается одно из: " + list);
        }
    }
    // A nested object; nothing when the field is missing.
    std::optional<Fields> object(const char* key) const {
        const Json* v = find(key);
        if (!v)
            return std::nullopt;
        std::string p = path_.empty() ? std::string(key) : path_ + "." + key;
        return Fields(*v, p);
    }
    const std::string& path() const { return path_; }

private:
    const Json& object_;
    std::string path_;
};

void readOutcomeNumbers(const Fields& f, const char* key, std::array<Fixed4, kOutcomes>& out) {
    const Json* v = f.find(key);
    if (!v)
        return;
    if (!v->is_array() || v->size() != kOutcomes)
        f.fail(key, "ожидаются три числа (П1, Х, П2)");
    for (int o = 0; o < kOutcomes; ++o) {
        out[o] = f.decimalValue((*v)[static_cast<std::size_t>(o)], key);
        if (out[o] < Fixed4{})
            f.fail(key, "число не может быть отрицательным");
    }
}

void readEvent(const Fields& f, ProjectState& s, int e) {
    f.text("title", s.draw.eventTitles[e]);
    s.rowTitles[e] = s.draw.eventTitles[e];
    f.text("rowTitle", s.rowTitles[e]);
    readOutcomeNumbers(f, "quotes", s.draw.quotes[e]);
    readOutcomeNumbers(f, "pool", s.draw.poolShares[e]);
    std::string marks;
    f.text("marked", marks);
    for (char c : marks) {
        const char* at =
            std::char_traits<char>::find(kOutcomeLetters, kOutcomes, c == 'x' ? 'X' : c);
        if (!at)
            f.fail("marked", "ожидаются буквы 1, X, 2");
        s.draw.selection[e][at - kOutcomeLetters] = 1;
    }
}

void readDraw(const Fields& f, ProjectState& s) {
    f.choice("country", s.draw.drawCountry, std::array<const char*, 3>{"none", "ua", "ru"});
    s.draw.currencySuffix = currencySuffixFor(s.draw.drawCountry);
    f.text("title", s.drawTitle);
    if (const Json* events = f.find("events")) {
        if (!events->is_array() || events->size() != kEvents)
            f.fail("events", "ожидается " + std::to_string(kEvents) + " событий");
        for (int e = 0; e < kEvents; ++e)
            readEvent(Fields((*events)[static_cast<std::size_t>(e)],
                             f.path() + ".events[" + std::to_string(e) + "]"),
                      s, e);
    }
    f.text("forcedBet", s.draw.forcedBet);
    if (s.draw.forcedBet.size() != kEvents ||
        s.draw.forcedBet.find_first_not_of("1X2_ ") != std::string::npos)
        f.fail("forcedBet", "ожидается 15 знаков 1, X, 2, _ или пробел");
    if (auto t = f.object("totals")) {
        t->text("pool", s.totals.poolText);
        t->text("jackpot", s.totals.jackpotText);
        if (const Json* counts = t->find("uniformCounts")) {
            if (!counts->is_array() || counts->size() != 3)
                t->fail("uniformCounts", "ожидаются три целых числа");
            for (std::size_t i = 0; i < 3; ++i) {
                const Json& c = (*counts)[i];
                if (!c.is_number_integer() || c.get<std::int64_t>() < INT32_MIN ||
                    c.get<std::int64_t>() > INT32_MAX)
                    t->fail("uniformCounts", "ожидаются три целых числа");
                s.totals.uniformCounts[i] = c.get<std::int32_t>();
            }
        }
        t->integer("uniformCountMean", s.totals.uniformCountMean, INT32_MIN, INT32_MAX);
    }
}

// The keys of the condition ranges, in the order of kav::Measure.
constexpr const char* kMeasureKeys[kMeasures] = {
    "ones",   "draws",      "twos",       "favourites", "outsiders",
    "points", "poolPoints", "longestRun", "changes",    "valuePoints"};

// Ranges as "a:b" and base rows as "ROW:a:b", the forms the command line takes.
void readConditions(const Fields& f, ConditionSet& c) {
    c = ConditionSet{};
    for (int k = 0; k < kMeasures; ++k) {
        std::string text;
        if (!f.find(kMeasureKeys[k]))
            continue;
        f.text(kMeasureKeys[k], text);
        c.ranges[k] = parseConditionRange(text);
        if (!c.ranges[k])
            f.fail(kMeasureKeys[k], "ожидается диапазон a:b из целых чисел, a <= b");
    }
    if (const Json* rows = f.find("baseRows")) {
        if (!rows->is_array() || rows->size() > kMaxBaseRows)
            f.fail("baseRows", "ожидается список строк ROW:a:b");
        for (const Json& r : *rows) {
            const auto b =
                r.is_string() ? parseBaseRowCondition(r.get<std::string>()) : std::nullopt;
            if (!b)
                f.fail("baseRows", "ожидается строка из 15 знаков 1, X, 2, - и диапазон a:b");
            c.baseRows.push_back(*b);
        }
    }
    f.integer("tolerance", c.tolerance, 0, 1000);
}

void readSettings(const Fields& doc, ProjectState& s) {
    doc.choice(
        "mode", s.mode,
        std::array<const char*, 5>{"brief", "sensations", "manual", "autoform", "conditions"});
    if (auto b = doc.object("brief")) {
        b->integer("category", s.brief.category, 9, 15);
        b->flag("startWith", s.brief.startWith);
    }
    if (auto x = doc.object("sensations")) {
        x->integer("min", s.sensation.lo, 0, kEvents);
        x->integer("max", s.sensation.hi, 0, kEvents);
        x->integer("threshold", s.sensation.threshold, 0, 100);
        x->choice("criterion", s.sensation.criterion, std::array<const char*, 2>{"quotes", "pool"});
    }
    if (auto r = doc.object("random")) {
        r->choice(
            "distribution", s.random.distribution,
            std::array<const char*, 5>{"quotes", "pool", "uniform", "againstPool", "favourites"});
        r->integer("repeat", s.random.repeat, 0, 1000000000);
        r->integer("favourites", s.random.favourites, 0, kEvents);
    }
    if (auto a = doc.object("autoform")) {
        a->integer("category", s.autoform.category, 9, 15);
        a->integer("betLimit", s.autoform.betLimit, 1, 1000000000);
        a->real("coveragePercent", s.autoform.coveragePercent, 0.0, 100.0);
        a->choice("method", s.autoform.method,
                  std::array<const char*, 5>{"count", "probability", "pool", "disjoint", "value"});
    }
    if (auto c = doc.object("conditions"))
        readConditions(*c, s.conditions);
    if (auto k = doc.object("stake")) {
        k->decimal("minimum", s.stakeMinimum);
        Fixed4 perBet = *Fixed4::parse(s.stakeText);
        k->decimal("perBet", perBet);
        if (perBet < Fixed4())
            k->fail("perBet", "ставка не может быть отрицательной");
        s.stakeText = perBet.moneyText();
    }
}

Json conditionsJson(const ConditionSet& c) {
    Json out = Json::object();
    for (int k = 0; k < kMeasures; ++k)
        if (c.ranges[k])
            out[kMeasureKeys[k]] = conditionRangeText(*c.ranges[k]);
    if (!c.baseRows.empty()) {
        Json rows = Json::array();
        for (const auto& b : c.baseRows)
            rows.push_back(baseRowConditionText(b));
        out["baseRows"] = std::move(rows);
    }
    out["tolerance"] = c.tolerance;
    return out;
}

} // namespace

std::string conditionSetJson(const ConditionSet& c) {
    return conditionsJson(c).dump(2) + '\n';
}

std::optional<ConditionSet> readConditionSetJson(std::string_view text) {
    const Json doc = Json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded())
        return std::nullopt;
    try {
        ConditionSet c;
        readConditions(Fields(doc, ""), c);
        return c;
    } catch (const FieldError&) {
        return std::nullopt;
    } catch (const Json::exception&) {
        return std::nullopt;
    }
}

std::string projectJson(const ProjectState& s) {
    Json doc;
    doc["format"] = kFormatName;
    doc["version"] = kProjectFormatVersion;
    Json draw;
    draw["country"] = countryName(s.draw.drawCountry);
    draw["title"] = s.drawTitle;
    Json events = Json::array();
    for (int e = 0; e < kEvents; ++e) {
        Json ev;
        ev["title"] = s.draw.eventTitles[e];
        ev["rowTitle"] = s.rowTitles[e];
        ev["quotes"] = numbers(s.draw.quotes[e]);
        ev["pool"] = numbers(s.draw.poolShares[e]);
        ev["marked"] = marksText(s.draw, e);
        events.push_back(std::move(ev));
    }
    draw["events"] = std::move(events);
    draw["forcedBet"] = s.draw.forcedBet;
    draw["totals"] = {{"pool", s.totals.poolText},
                      {"jackpot", s.totals.jackpotText},
                      {"uniformCounts", s.totals.uniformCounts},
                      {"uniformCountMean", s.totals.uniformCountMean}};
    doc["draw"] = std::move(draw);
    static const char* const kDistributions[] = {"quotes", "pool", "uniform", "againstPool",
                                                 "favourites"};
    static const char* const kMethods[] = {"count", "probability", "pool", "disjoint", "value"};
    doc["mode"] = modeName(s.mode);
    doc["brief"] = {{"category", s.brief.category}, {"startWith", s.brief.startWith}};
    doc["sensations"] = {
        {"min", s.sensation.lo},
        {"max", s.sensation.hi},
        {"threshold", s.sensation.threshold},
        {"criterion", s.sensation.criterion == SensationCriterion::Pool ? "pool" : "quotes"}};
    doc["random"] = {{"distribution", kDistributions[static_cast<int>(s.random.distribution)]},
                     {"repeat", s.random.repeat},
                     {"favourites", s.random.favourites}};
    doc["autoform"] = {{"category", s.autoform.category},
                       {"betLimit", s.autoform.betLimit},
                       {"coveragePercent", s.autoform.coveragePercent},
                       {"method", kMethods[static_cast<int>(s.autoform.method)]}};
    if (s.conditions != ConditionSet{})
        doc["conditions"] = conditionsJson(s.conditions);
    doc["stake"] = {{"perBet", s.stakeText}, {"minimum", s.stakeMinimum.moneyText()}};
    doc["bets"] = s.betText;
    // Text that is no valid UTF-8 (a list pasted from a CP1251 file) is kept
    // readable: such bytes become U+FFFD, as the list box shows them.
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

ProjectRead readProjectJson(std::string_view text) {
    ProjectRead out;
    const Json doc = Json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded()) {
        out.error = kav::Text::tr("Файл проекта повреждён или обрезан (это не документ JSON)");
        return out;
    }
    const auto format = doc.is_object() ? doc.find("format") : doc.end();
    if (format == doc.end() || !format->is_string() || format->get<std::string>() != kFormatName) {
        out.error = kav::Text::tr("Это не файл проекта Kavendix");
        return out;
    }
    const auto version = doc.find("version");
    if (version != doc.end() &&
        (!version->is_number_integer() || version->get<std::int64_t>() < 1)) {
        out.error = kav::Text::tr("Файл проекта повреждён: неверный номер формата");
        return out;
    }
    if (version != doc.end() && version->get<std::int64_t>() > kProjectFormatVersion) {
        out.error = "Файл проекта записан более новой версией программы (формат " +
                    std::to_string(version->get<std::int64_t>()) +
                    "). Обновите программу, чтобы открыть его.";
        return out;
    }
    ProjectState s = defaultProjectState(kRussia);
    try {
        const Fields fields(doc, "");
        if (auto draw = fields.object("draw"))
            readDraw(*draw, s);
        readSettings(fields, s);
        fields.text("bets", s.betText);
    } catch (const FieldError& e) {
        out.error = std::string("Файл проекта повреждён: ") + e.what();
        return out;
    } catch (const Json::exception&) {
        out.error = kav::Text::tr("Файл проекта повреждён");
        return out;
    }
    out.state = std::move(s);
    return out;
}

MaybeMessage saveProjectFile(const std::string& path, const ProjectState& state) {
    return writeFileBytes(path, projectJson(state));
}

ProjectRead loadProjectFile(const std::string& path) {
    // Refused by its size before a byte is read.
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxProjectFileBytes)
        return {std::nullopt, "Файл проекта " + path + " больше " +
                                  std::to_string(kMaxProjectFileBytes >> 20) +
                                  " МБ: такие проекты программа не открывает"};
    const auto bytes = readFileBytes(path, kMaxProjectFileBytes);
    if (!bytes)
        return {std::nullopt, "Не удалось прочитать файл проекта " + path};
    ProjectRead r = readProjectJson(*bytes);
    if (!r.state)
        r.error += ":\n" + path;
    return r;
}

} // namespace kav::io
