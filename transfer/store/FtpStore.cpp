#include "FtpStore.h"

#include "CertificateProbe.h"
#include "CurlBuffers.h"
#include "CurlSession.h"
#include "FtpOptions.h"

#include <algorithm>

namespace {

// A listing is a few names; anything longer is not a listing this program needs to read.
constexpr std::size_t ListingLimit = std::size_t{4} * 1024 * 1024;

bool IsPermanentReply(long reply)
{
    return reply >= 500 && reply <= 599;
}

std::size_t Discard(char* /*data*/, std::size_t size, std::size_t count, void* /*ignored*/)
{
    return size * count;
}

std::string BaseName(std::string line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    const std::size_t slash = line.find_last_of('/');
    return slash == std::string::npos ? line : line.substr(slash + 1);
}

} // namespace

FtpStore::FtpStore(const std::string& address, const std::string& user, const std::string& password,
                   const TransferSettings& settings, CancelSignal& cancel, const GroupOptions& options)
    : m_settings(settings), m_cancel(cancel),
      m_options(std::make_unique<FtpOptions>(SplitFtpAddress(address), user, password, options)),
      m_session(std::make_unique<CurlSession>(settings, cancel))
{}

FtpStore::~FtpStore() = default;

const std::string& FtpStore::SharedName() const
{
    return m_options->Address().FileName;
}

StoreResult FtpStore::Unusable(const std::string& what) const
{
    return StoreResult::Fail(StoreStatus::Refused,
                             what + ": the FTP address, the account or the name cannot be used (a port or a user "
                                    "name in the address, no file name, or a line break)");
}

bool FtpStore::Begin(const std::string& name, const std::vector<std::string>& commands)
{
    if (!m_options->IsUsable() || !m_session->IsValid() || !FtpOptions::IsSafeInCommand(name)) {
        return false;
    }
    for (const std::string& command : commands) {
        if (!FtpOptions::IsSafeInCommand(command)) {
            return false;
        }
    }
    m_session->Reset();
    m_options->ApplyFor(*m_session, name, commands);
    // Operations without a body still hand libcurl's description of the file to the write
    // function, which would otherwise go to standard output.
    curl_easy_setopt(m_session->Easy(), CURLOPT_WRITEFUNCTION, Discard);
    return true;
}

StoreResult FtpStore::Run(const std::string& what)
{
    const CURLcode code = m_session->Perform();
    CURL* easy = m_session->Easy();
    if (!m_entryFolderKnown) {
        char* entry = nullptr;
        if (curl_easy_getinfo(easy, CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry != nullptr) {
            m_options->LearnEntryFolder(entry);
            m_entryFolderKnown = true;
        }
    }
    if (code == CURLE_OK) {
        return {};
    }
    const long reply = m_session->ResponseCode();
    std::string detail = what + ": " + m_session->Describe(code);
    if (reply != 0) {
        detail += " (server reply " + std::to_string(reply) + ")";
    }
    StoreCause cause = m_session->CauseOf(code);
    if (reply == 530) {
        cause = StoreCause::Login;
    } else if (cause == StoreCause::Unknown && IsPermanentReply(reply)) {
        cause = StoreCause::Permission;
    }
    StoreStatus status = StoreStatus::Failed;
    switch (code) {
    case CURLE_REMOTE_FILE_NOT_FOUND:
        status = StoreStatus::NotFound;
        break;
    case CURLE_FILESIZE_EXCEEDED:
        status = StoreStatus::TooLarge;
        break;
    case CURLE_QUOTE_ERROR:
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_ACCESS_DENIED:
        status = IsPermanentReply(reply) ? StoreStatus::Refused : StoreStatus::Failed;
        break;
    default:
        break;
    }
    StoreResult result = StoreResult::Fail(status, std::move(detail), cause);
    if (cause == StoreCause::Certificate) {
        const bool implicit = m_options->Security() == FtpSecurity::Implicit;
        result.Server =
            ProbeCertificate({implicit ? CertificateTarget::Kind::ImplicitTls : CertificateTarget::Kind::FtpAuthTls,
                              m_options->HostName(), m_options->Port()},
                             m_settings, m_cancel);
    }
    return result;
}

StoreResult FtpStore::Commands(const std::vector<std::string>& commands, const std::string& what)
{
    if (!Begin({}, commands)) {
        return Unusable(what);
    }
    // Only the commands: no transfer and no listing after them.
    curl_easy_setopt(m_session->Easy(), CURLOPT_NOBODY, 1L);
    return Run(what);
}

FetchResult FtpStore::Fetch(const std::string& name, const FileValidator* unlessSame)
{
    bool endedEarly = false;
    FetchResult fetched = FetchOnce(name, unlessSame, endedEarly);
    if (endedEarly) {
        // A file replaced between SIZE and RETR looks short once; a server that loses the end of
        // a file does so every time.
        fetched = FetchOnce(name, nullptr, endedEarly);
    }
    return fetched;
}

FetchResult FtpStore::FetchOnce(const std::string& name, const FileValidator* unlessSame, bool& endedEarly)
{
    endedEarly = false;
    FetchResult fetched;
    if (unlessSame != nullptr) {
        // SIZE and MDTM first: an unchanged file then costs two short replies and no data connection.
        fetched.Result = Stat(name, fetched.Validator);
        if (!fetched.Result.IsOk()) {
            return fetched;
        }
        if (fetched.Validator == *unlessSame) {
            fetched.Unchanged = true;
            return fetched;
        }
        if (fetched.Validator.Size > static_cast<std::int64_t>(m_settings.SizeLimit)) {
            fetched.Result =
                StoreResult::Fail(StoreStatus::TooLarge, std::to_string(fetched.Validator.Size) + " bytes");
            return fetched;
        }
    }
    if (!Begin(name, {})) {
        fetched.Result = Unusable("fetch " + name);
        return fetched;
    }
    CurlDownload download =
        RunBoundedDownload(m_session->Easy(), m_settings.SizeLimit, [&] { return Run("fetch " + name); });
    const curl_off_t size = download.Size;
    fetched.Result = download.Result;
    fetched.Validator = FileValidator{size, download.Modified, 0, {}, {}};
    fetched.BodyBytes = static_cast<std::uint64_t>(download.Received);
    fetched.Bytes = std::move(download.Bytes);
    if (download.OverLimit) {
        fetched.Result =
            StoreResult::Fail(StoreStatus::TooLarge, "more than " + std::to_string(m_settings.SizeLimit) + " bytes");
        fetched.Bytes.clear();
    } else if ((fetched.Result.IsOk() || fetched.Result.Status == StoreStatus::Failed) && size >= 0 &&
               fetched.Bytes.size() < static_cast<std::size_t>(size)) {
        // A server that ends the data connection early may still say the transfer is complete.
        endedEarly = true;
        fetched.Result = StoreResult::Fail(StoreStatus::Failed, "fetch " + name + ": the transfer ended after " +
                                                                    std::to_string(fetched.Bytes.size()) + " of " +
                                                                    std::to_string(size) + " bytes");
    }
    return fetched;
}

StoreResult FtpStore::Stat(const std::string& name, FileValidator& validator)
{
    if (!Begin(name, {})) {
        return Unusable("look at " + name);
    }
    CURL* easy = m_session->Easy();
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy, CURLOPT_FILETIME, 1L);
    StoreResult result = Run("look at " + name);
    curl_off_t modified = -1;
    curl_off_t size = -1;
    curl_easy_getinfo(easy, CURLINFO_FILETIME_T, &modified);
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    validator = FileValidator{size, modified, 0, {}, {}};
    return result;
}

StoreResult FtpStore::MakeFolder(const std::string& name)
{
    // Servers refuse an existing folder and a forbidden one with the same reply; the listing tells
    // them apart. A folder removed between the refusal and the listing is tried for once more.
    StoreResult result;
    for (int attempt = 0; attempt < 2; ++attempt) {
        result = Commands({"MKD " + name}, "make " + name);
        if (result.Status != StoreStatus::Refused) {
            return result;
        }
        std::vector<std::string> names;
        if (!List(names).IsOk()) {
            return result;
        }
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            return StoreResult::Fail(StoreStatus::Exists, std::move(result.Detail));
        }
    }
    return result;
}

StoreResult FtpStore::RemoveFolder(const std::string& name)
{
    return Commands({"RMD " + name}, "remove " + name);
}

StoreResult FtpStore::Put(const std::string& name, std::string_view bytes)
{
    if (!Begin(name, {})) {
        return Unusable("send " + name);
    }
    return RunUpload(m_session->Easy(), bytes, "send " + name, [&] { return Run("send " + name); });
}

StoreResult FtpStore::Rename(const std::string& from, const std::string& to)
{
    return Commands({"RNFR " + from, "RNTO " + to}, "rename " + from);
}

StoreResult FtpStore::Delete(const std::string& name)
{
    return Commands({"DELE " + name}, "delete " + name);
}

StoreResult FtpStore::List(std::vector<std::string>& names)
{
    names.clear();
    if (!Begin({}, {})) {
        return Unusable("list the folder");
    }
    CURL* easy = m_session->Easy();
    CurlSink sink;
    sink.Limit = ListingLimit;
    curl_easy_setopt(easy, CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CurlSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
    StoreResult result = Run("list the folder");
    if (!result.IsOk()) {
        return result;
    }
    std::size_t start = 0;
    while (start < sink.Bytes.size()) {
        std::size_t end = sink.Bytes.find('\n', start);
        if (end == std::string::npos) {
            end = sink.Bytes.size();
        }
        std::string name = BaseName(sink.Bytes.substr(start, end - start));
        if (!name.empty() && name != "." && name != "..") {
            names.push_back(std::move(name));
        }
        start = end + 1;
    }
    return {};
}
