#include "MessageGenerator.h"

#include "DateTime.h"

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

constexpr std::array<std::string_view, 40> Words = {
    "call",   "the",    "supplier", "about",  "invoice", "meeting", "with",     "team",    "review",  "budget",
    "send",   "report", "to",       "client", "check",   "server",  "backup",   "renew",   "licence", "order",
    "coffee", "for",    "office",   "update", "project", "plan",    "weekly",   "sync",    "pay",     "rent",
    "doctor", "visit",  "prepare",  "slides", "quarter", "figures", "birthday", "present", "book",    "train"};
constexpr std::array<std::string_view, 8> Authors = {"Anna Berg", "Tom Hale",  "Maria Costa", "Jonas Weber",
                                                     "Li Wei",    "Sara Lind", "Peter Novak", "Olga Ivanova"};
constexpr std::array<std::string_view, 6> Groups = {"Sales", "Dev", "Ops", "Management", "Support", "Office"};

class Generator
{
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    // Uniform in [0, n); mt19937's output is the same everywhere, unlike the standard distributions.
    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(m_random() % n); }
    bool Chance(std::uint32_t percent) { return Below(100) < percent; }

    std::string Sentence(std::size_t minLength, std::size_t maxLength)
    {
        const std::size_t length = minLength + Below(static_cast<std::uint32_t>(maxLength - minLength + 1));
        std::string text;
        while (text.size() < length) {
            if (!text.empty()) {
                text += ' ';
            }
            text += Words[Below(Words.size())];
        }
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
        return text;
    }

    std::string Body(bool execute)
    {
        if (execute) {
            std::string text = "/usr/local/bin/" + std::string(Words[Below(Words.size())]) + "-job --quiet";
            if (Chance(50)) {
                text += "\r\n\"/home/shared/" + std::string(Words[Below(Words.size())]) + " notes.odt\"";
            }
            return text;
        }
        std::string text;
        const std::uint32_t paragraphs = Chance(20) ? 0 : 1 + Below(3);
        for (std::uint32_t i = 0; i < paragraphs; ++i) {
            if (i > 0) {
                text += "\r\n";
            }
            text += Sentence(20, 200) + '.';
        }
        return text;
    }

private:
    std::mt19937 m_random;
};

// A date-time on a whole minute during office hours, as the editor makes them, in stored precision.
double DueMoment(Generator& random, int firstDay, int days)
{
    const double day =
        BenchMoment() - TimePart(BenchMoment()) + firstDay + random.Below(static_cast<std::uint32_t>(days));
    const double time = EncodeTime(7 + static_cast<int>(random.Below(11)), 5 * static_cast<int>(random.Below(12)), 0);
    return UnitsToDateTime(DateTimeToUnits(day + time));
}

void SetWeekdays(Generator& random, TBWItem& item)
{
    item.ActivateAllDays();
    if (item.RepeatKind == RepeatDaily && random.Chance(60)) {
        item.DayFlags[6] = false; // Saturday
        item.DayFlags[7] = false; // Sunday
        if (random.Chance(25)) {
            item.DayFlags[1 + random.Below(5)] = false;
        }
    } else if (item.RepeatKind == RepeatWeekly && random.Chance(20)) {
        item.DayFlags[7] = false;
    }
    item.DayFlags[0] = !item.Recipients.empty() && random.Chance(15);
}

std::unique_ptr<TBWItem> MakeMessage(Generator& random, std::unordered_set<std::int32_t>& ids)
{
    auto item = std::make_unique<TBWItem>();
    item->Kind = random.Chance(5) ? KindExecuteFiles : KindSimpleMessage;
    item->Title = random.Sentence(8, 60);
    item->Text = random.Body(item->Kind == KindExecuteFiles);
    item->Author = Authors[random.Below(Authors.size())];
    if (random.Chance(30)) {
        const std::uint32_t count = 1 + random.Below(3);
        for (std::uint32_t i = 0; i < count; ++i) {
            item->Recipients.emplace_back(Groups[(random.Below(Groups.size()) + i) % Groups.size()]);
        }
    }
    const std::uint32_t repeat = random.Below(100);
    item->RepeatKind = repeat < 35   ? RepeatNone
                       : repeat < 60 ? RepeatDaily
                       : repeat < 80 ? RepeatWeekly
                       : repeat < 92 ? RepeatMonthly
                                     : RepeatYearly;
    SetWeekdays(random, *item);

    // Messages were made over the past year; some one-time ones are still ahead.
    item->DueTime = DueMoment(random, -365, 365 + 60);
    if (item->RepeatKind == RepeatNone) {
        if (item->DueTime < BenchMoment()) {
            item->LastDueTime = item->DueTime;
        }
    } else if (item->DueTime < BenchMoment()) {
        item->LastDueTime = item->DueTime;
        item->AdvanceDueTime(BenchMoment());
    }
    do {
        item->Id = static_cast<std::int32_t>(1 + random.Below(999999999));
    } while (!ids.insert(item->Id).second);
    return item;
}

} // namespace

double BenchMoment()
{
    return EncodeDateTime(2026, 3, 2, 8, 0); // a Monday
}

TBWItemList MakeMessages(std::size_t count, std::uint32_t seed)
{
    Generator random(seed);
    std::unordered_set<std::int32_t> ids;
    TBWItemList list;
    list.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        list.push_back(MakeMessage(random, ids));
    }
    return list;
}

TBWItemList CopyMessages(const TBWItemList& list)
{
    TBWItemList copy;
    copy.reserve(list.size());
    for (const auto& item : list) {
        auto clone = std::make_unique<TBWItem>();
        clone->Assign(*item);
        copy.push_back(std::move(clone));
    }
    return copy;
}

TBWItemList FetchedCopy(const TBWItemList& local)
{
    TBWItemList fetched;
    fetched.reserve(local.size() + local.size() / 100);
    for (std::size_t i = 0; i < local.size(); ++i) {
        if (i % 100 == 17) {
            continue;
        }
        auto copy = std::make_unique<TBWItem>();
        copy->Assign(*local[i]);
        if (i % 20 == 3) {
            copy->Title += " (moved)";
            copy->DueTime += 1.0 / 24;
        }
        fetched.push_back(std::move(copy));
    }
    for (auto& item : MakeMessages(local.size() / 100, 7)) {
        item->Id = -item->Id; // the generator's ids are unique within one list only
        fetched.push_back(std::move(item));
    }
    return fetched;
}
