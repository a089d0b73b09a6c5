#include "CertificateProbe.h"

#include "CurlSession.h"

#include <openssl/evp.h>

#include <array>
#include <cstdio>

namespace {

// The base64 text between a PEM block's first and last lines, decoded.
std::string PemBody(const std::string& pem)
{
    std::string base64;
    bool inside = false;
    std::size_t start = 0;
    while (start < pem.size()) {
        std::size_t end = pem.find('\n', start);
        if (end == std::string::npos) {
            end = pem.size();
        }
        std::string line = pem.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with("-----BEGIN")) {
            inside = true;
        } else if (line.starts_with("-----END")) {
            break;
        } else if (inside) {
            base64 += line;
        }
        start = end + 1;
    }
    std::string der(base64.size() / 4 * 3 + 3, '\0');
    const int length =
        EVP_DecodeBlock(reinterpret_cast<unsigned char*>(der.data()),
                        reinterpret_cast<const unsigned char*>(base64.data()), static_cast<int>(base64.size()));
    if (length < 0) {
        return {};
    }
    // EVP_DecodeBlock counts the padding as bytes.
    std::size_t size = static_cast<std::size_t>(length);
    for (auto it = base64.rbegin(); it != base64.rend() && *it == '=' && size > 0; ++it) {
        --size;
    }
    der.resize(size);
    return der;
}

std::string HexFingerprint(const std::string& der)
{
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int size = 0;
    if (der.empty() || EVP_Digest(der.data(), der.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1) {
        return {};
    }
    std::string text;
    for (unsigned int i = 0; i < size; ++i) {
        std::array<char, 4> byte{};
        std::snprintf(byte.data(), byte.size(), i == 0 ? "%02X" : ":%02X", digest[i]);
        text += byte.data();
    }
    return text;
}

std::string FieldOf(const curl_slist* fields, const std::string& name)
{
    for (const curl_slist* field = fields; field != nullptr; field = field->next) {
        const std::string text = field->data;
        if (text.starts_with(name + ":")) {
            return text.substr(name.size() + 1);
        }
    }
    return {};
}

} // namespace

ServerIdentity ProbeCertificate(const CertificateTarget& target, const TransferSettings& settings, CancelSignal& cancel)
{
    ServerIdentity identity;
    identity.Host = target.Host + ":" + std::to_string(target.Port);
    CurlSession session(settings, cancel);
    if (!session.IsValid()) {
        return identity;
    }
    CURL* easy = session.Easy();
    const bool ftp = target.How == CertificateTarget::Kind::FtpAuthTls;
    // An "https" connection that sends nothing after the handshake serves any TLS server.
    const std::string url = (ftp ? "ftp://" : "https://") + target.Host + "/";
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PORT, target.Port);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, ftp ? "ftp" : "https");
    curl_easy_setopt(easy, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(easy, CURLOPT_CERTINFO, 1L);
    if (ftp) {
        curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        curl_easy_setopt(easy, CURLOPT_USERNAME, "anonymous");
        curl_easy_setopt(easy, CURLOPT_PASSWORD, "");
    }
    (void)session.Perform();
    curl_certinfo* chain = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CERTINFO, &chain) != CURLE_OK || chain == nullptr || chain->num_of_certs < 1) {
        return identity;
    }
    const curl_slist* leaf = chain->certinfo[0];
    identity.Fingerprint = HexFingerprint(PemBody(FieldOf(leaf, "Cert")));
    identity.Note = "issued to " + FieldOf(leaf, "Subject") + " by " + FieldOf(leaf, "Issuer") + ", valid until " +
                    FieldOf(leaf, "Expire date");
    return identity;
}
