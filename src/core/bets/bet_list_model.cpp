#include "core/bets/bet_list_model.h"

#include <algorithm>

namespace kav {

bool BetList::parseLines(const Lines& lines, std::vector<BetMask>& masks,
                         std::vector<LineWorth>& worth) {
    masks.reserve(masks.size() + lines.size());
    worth.reserve(worth.size() + lines.size());
    for (const auto& line : lines) {
        const ParsedLine p = parseBetLine(line);
        if (p.failed)
            return false;
        masks.push_back(p.mask);
        worth.push_back(p.mask.valid() ? LineWorth{p.variants, p.amount} : LineWorth{});
    }
    return true;
}

// Sums in list order, as parseBetList does.
void BetList::sumWorth() {
    count_ = 0;
    total_ = Fixed4();
    for (const auto& w : worth_) {
        count_ += static_cast<std::int64_t>(w.variants);
        total_ += w.amount;
    }
}

void BetList::parseAll() {
    std::vector<BetMask> masks;
    std::vector<LineWorth> worth;
    inSync_ = parseLines(lines_, masks, worth);
    if (!inSync_)
        return; // the derived data keep the last parse that succeeded
    masks_ = std::move(masks);
    worth_ = std::move(worth);
    sumWorth();
}

void BetList::setLines(Lines lines) {
    lines_ = std::move(lines);
    parseAll();
}

void BetList::appendLines(const Lines& lines) {
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    // A list that does not parse still holds the line that breaks it.
    if (!inSync_)
        return;
    std::vector<BetMask> masks;
    std::vector<LineWorth> worth;
    if (!parseLines(lines, masks, worth)) {
        inSync_ = false;
        return;
    }
    masks_.insert(masks_.end(), masks.begin(), masks.end());
    for (const auto& w : worth) {
        count_ += static_cast<std::int64_t>(w.variants);
        total_ += w.amount;
    }
    worth_.insert(worth_.end(), worth.begin(), worth.end());
}

void BetList::replaceLines(std::size_t first, std::size_t count, const Lines& with) {
    first = std::min(first, lines_.size());
    count = std::min(count, lines_.size() - first);
    const auto at = [first](auto& v) { return v.begin() + static_cast<std::ptrdiff_t>(first); };
    const auto end = [first, count](auto& v) {
        return v.begin() + static_cast<std::ptrdiff_t>(first + count);
    };
    lines_.erase(at(lines_), end(lines_));
    lines_.insert(at(lines_), with.begin(), with.end());
    // The replaced lines may have been the ones that broke the parse.
    if (!inSync_) {
        parseAll();
        return;
    }
    std::vector<BetMask> masks;
    std::vector<LineWorth> worth;
    if (!parseLines(with, masks, worth)) {
        inSync_ = false;
        return;
    }
    masks_.erase(at(masks_), end(masks_));
    masks_.insert(at(masks_), masks.begin(), masks.end());
    worth_.erase(at(worth_), end(worth_));
    worth_.insert(at(worth_), worth.begin(), worth.end());
    // Summed afresh in list order: a difference could come out otherwise than
    // the full parse's sum where the sums leave the range.
    sumWorth();
}

MaybeMessage BetList::removeMarkedVariants(const DrawModel& m) {
    RemovalResult r = kav::removeMarkedVariants(m, lines_);
    if (r.ran)
        setLines(std::move(r.lines));
    return r.message;
}

void BetList::clear() {
    lines_.clear();
    masks_.clear();
    worth_.clear();
    count_ = 0;
    total_ = Fixed4();
    inSync_ = true;
}

std::optional<BetLineFault> BetList::fault() const {
    if (inSync_)
        return std::nullopt;
    return firstBetLineFault(lines_);
}

std::string BetList::statusLine(std::string_view currencySuffix) const {
    return inSync_ ? betListStatus(count_, total_, currencySuffix) : std::string();
}

std::optional<BetListParse> BetList::parse() const {
    if (!inSync_)
        return std::nullopt;
    return BetListParse{masks_, count_, total_};
}

std::string BetList::applyTo(DrawModel& m) const {
    return applyBetListParse(m, parse());
}

} // namespace kav
