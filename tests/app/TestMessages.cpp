#include "TestMessages.h"

#include <array>

std::unique_ptr<TBWItem> MakeMessage(const std::string& title, double dueTime, std::int32_t id, std::uint8_t kind,
                                     double lastDueTime)
{
    auto message = std::make_unique<TBWItem>();
    message->Title = title;
    message->Author = "Ann";
    message->DueTime = dueTime;
    message->LastDueTime = lastDueTime;
    message->Kind = kind;
    message->Id = id;
    message->ActivateAllDays();
    return message;
}

TBWItemList MakeSampleList(int count, double around)
{
    static const std::array<const char*, 10> titles = {
        "Team meeting",        "Send the weekly figures",  "Call the dentist",       "Back up the laptop",
        "Water the plants",    "Pay the electricity bill", "Quarterly report draft", "Renew the parking permit",
        "Order printer paper", "Book train to Leeds"};
    TBWItemList list;
    list.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double due = around + (i % 29) * 0.37 - 3.0 + (i % 7) / 24.0;
        auto message = MakeMessage(titles.at(static_cast<std::size_t>(i) % titles.size()), due, 100000 + i,
                                   i % 6 == 5 ? KindExecuteFiles : KindSimpleMessage, i % 4 == 1 ? due - 1.0 : 0.0);
        message->RepeatKind = static_cast<std::uint8_t>(i % 5);
        message->Text = "Reminder number " + std::to_string(i);
        list.push_back(std::move(message));
    }
    return list;
}

void WritePersonalList(const std::filesystem::path& dataFolder, const TBWItemList& messages)
{
    std::filesystem::create_directories(dataFolder);
    SaveItemList(messages, dataFolder / "bwlist.dat", PersonalListPassword);
}

std::unique_ptr<TBWListLocation> MakeGroup(const std::string& name, const std::string& password, bool enabled)
{
    auto group = std::make_unique<TBWListLocation>();
    group->Name = name;
    group->Location = "/srv/share/" + name + ".dat";
    group->Password = password;
    group->Enabled = enabled;
    group->DetectLocationKind();
    return group;
}
