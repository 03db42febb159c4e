// BetList: the lines of the bet list together with what is derived from them
// (each line's mask, the count of single bets, the money total, the status
// line). Every change keeps the derived data equal to a full parse of the
// lines, parsing only the lines that changed where it can.
#pragma once

#include "core/base/fixed4.h"
#include "core/base/message.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

class BetList {
public:
    BetList() = default;
    explicit BetList(Lines lines) { setLines(std::move(lines)); }

    // The whole list at once: a full parse.
    void setLines(Lines lines);
    // Text with LF or CR LF line ends, split as splitLines does (a final line
    // break adds no empty line).
    void setText(std::string_view text) { setLines(splitLines(text)); }
    // Lines added at the end, each one as it is; only they are parsed.
    void appendLines(const Lines& lines);
    // Lines [first, first + count) replaced by `with` in place (count is cut
    // at the end of the list).
    void replaceLines(std::size_t first, std::size_t count, const Lines& with);
    // "Изъять варианты из списка" (see removeMarkedVariants in bet_list.h): the
    // list changes only when the removal ran; returns its message, if any.
    MaybeMessage removeMarkedVariants(const DrawModel& m);
    // An empty list, in step with its (empty) parse.
    void clear();

    const Lines& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    // The lines joined with LF, no final line break.
    std::string text() const { return joinLines(lines_); }

    // False while the lines cannot be parsed (a complete line whose amount is
    // no number, or a line with too many groups). The masks, count and total
    // then keep the values of the last parse that succeeded, as the window's
    // counts always have.
    bool inSync() const { return inSync_; }
    // One mask per line, kInvalidMask for a line that is no complete coupon.
    const std::vector<BetMask>& masks() const { return masks_; }
    std::int64_t count() const { return count_; }
    Fixed4 total() const { return total_; }
    // While not in sync: the first line that breaks the parse and why.
    std::optional<BetLineFault> fault() const;
    // "Ставок в списке 48 (960 руб.)"; empty while not in sync.
    std::string statusLine(std::string_view currencySuffix) const;
    // What parseBetList(lines()) returns.
    std::optional<BetListParse> parse() const;
    // Stores the masks, count and total into the model and returns the status
    // line, exactly as applyBetListParse(m, parse()) does.
    std::string applyTo(DrawModel& m) const;

private:
    // Single bets and amount of one valid line; zero for any other line.
    struct LineWorth {
        std::uint64_t variants = 0;
        Fixed4 amount;
    };
    void parseAll();
    // Parses `lines`; false when one of them fails the parse of the whole list.
    static bool parseLines(const Lines& lines, std::vector<BetMask>& masks,
                           std::vector<LineWorth>& worth);
    void sumWorth();

    Lines lines_;
    std::vector<BetMask> masks_;
    std::vector<LineWorth> worth_;
    std::int64_t count_ = 0;
    Fixed4 total_;
    bool inSync_ = true;
};

} // namespace kav
