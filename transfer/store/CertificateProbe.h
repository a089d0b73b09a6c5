#pragma once

#include "StoreResult.h"
#include "TransferSettings.h"

#include <string>

class CancelSignal;

// Where a certificate that failed the check can be looked at again.
struct CertificateTarget
{
    enum class Kind
    {
        ImplicitTls, // TLS from the first byte: HTTPS, implicit FTPS
        FtpAuthTls,  // an FTP server that starts TLS on AUTH TLS
    };
    Kind How = Kind::ImplicitTls;
    std::string Host;
    long Port = 0;
};

// Connects once more without checking the certificate, only to read it: nothing but an anonymous
// FTP login is sent (never the group's account), and no file moves. Gives the SHA-256 fingerprint
// and whom the certificate names, so that the user can compare them with the administrator's; an
// empty fingerprint when the server could not be reached again.
[[nodiscard]] ServerIdentity ProbeCertificate(const CertificateTarget& target, const TransferSettings& settings,
                                              CancelSignal& cancel);
