#pragma once

#include "HelpService.h"

#include <QString>

#include <vector>

// Remembers the help topics asked for.
class RecordingHelpService final : public HelpService
{
public:
    void ShowHelpTopic(const QString& topic) override { topics.push_back(topic); }

    std::vector<QString> topics;
};
