#include "BwList.h"

#include "Arguments.h"
#include "BWError.h"
#include "Commands.h"

#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <new>

namespace {

int Dispatch(const TBwListArguments& arguments, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (arguments.Command == "lines") {
        return RunLinesCommand(arguments, out);
    }
    if (arguments.Command == "pack") {
        return RunPackCommand(arguments, in);
    }
    if (arguments.Command == "import" || arguments.Command == "export") {
        return RunCalendarCommand(arguments, out, err);
    }
    if (arguments.Command == "show") {
        return RunShowCommand(arguments, out, err);
    }
    return RunGroupsCommand(arguments, out);
}

// The tool is a door into the file formats: every failure, whatever its kind, becomes a message
// and exit status 2 rather than an abort.
int Guarded(std::ostream& out, std::ostream& err, const std::function<int()>& command)
{
    try {
        const int status = command();
        out.flush();
        if (!out) {
            err << "bwlist: cannot write the output\n";
            return ExitError;
        }
        return status;
    } catch (const EBWError& error) {
        err << "bwlist: " << error.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "bwlist: out of memory\n";
    } catch (const std::exception& error) {
        err << "bwlist: " << error.what() << '\n';
    }
    return ExitError;
}

} // namespace

int RunBwList(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string problem;
    if (!arguments.empty() && IsGroupCommand(arguments[0])) {
        const auto parsed = ParseGroupArguments(arguments, problem);
        if (!parsed) {
            err << "bwlist: " << problem << '\n' << BwListUsage();
            return ExitError;
        }
        return Guarded(out, err, [&] { return RunGroupCommand(*parsed, out, err); });
    }
    std::optional<std::string> passwordVariable;
    if (const char* value = std::getenv(PasswordVariable); value != nullptr) {
        passwordVariable = value;
    }
    const auto parsed = ParseBwListArguments(arguments, problem, passwordVariable);
    if (!parsed) {
        err << "bwlist: " << problem << '\n' << BwListUsage();
        return ExitError;
    }
    if (parsed->HelpWanted) {
        out << BwListUsage();
        return ExitOk;
    }
    return Guarded(out, err, [&] { return Dispatch(*parsed, in, out, err); });
}
