#pragma once

#include <QString>

// Shows a page of the program's help.
class HelpService
{
public:
    virtual ~HelpService() = default;

    // The topic is the page's file name, for example "benefits.htm".
    virtual void ShowHelpTopic(const QString& topic) = 0;
};
