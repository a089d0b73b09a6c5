#include "BwList.h"

#include "Arguments.h"
#include "BWError.h"
#include "Commands.h"

#include <cstdlib>
#include <exception>
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
    if (arguments.Command == "show") {
        return RunShowCommand(arguments, out, err);
    }
    return RunGroupsCommand(arguments, out);
}

} // namespace

int RunBwList(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string problem;
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
    // The tool is a door into the file formats: every failure, whatever its kind, becomes a message
    // and exit status 2 rather than an abort.
    try {
        const int status = Dispatch(*parsed, in, out, err);
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
