#include "GroupTestText.h"

#include "TBWListLocation.h"

namespace {

QString Text(const std::string& text)
{
    return QString::fromLocal8Bit(text);
}

} // namespace

QString GroupTestText::Failure(const FetchReport& report)
{
    const ServerIdentity& server = report.Server;
    QString text;
    switch (report.Cause) {
    case StoreCause::NameNotFound:
        text = tr("The server's name could not be found. Check the address and the network connection.");
        break;
    case StoreCause::NotListening:
        text = tr("The server refused the connection: nothing answers at that address and port.");
        break;
    case StoreCause::TimedOut:
        text = tr("The server did not answer in time.");
        break;
    case StoreCause::Tls:
        text = tr("No secure connection could be made: the server may not offer TLS, or not in the way chosen "
                  "(explicit or implicit).");
        break;
    case StoreCause::Certificate:
        text = tr("The server's certificate is not trusted.");
        if (!server.Fingerprint.empty()) {
            text += QStringLiteral("\n\n") + tr("Its SHA-256 fingerprint is\n%1\n(%2)\n\nIf the server's "
                                                "administrator confirms this fingerprint, choose the certificate "
                                                "authority that signed it as the group's CA file.")
                                                 .arg(Text(server.Fingerprint), Text(server.Note));
        }
        break;
    case StoreCause::HostKeyChanged:
        text = tr("WARNING: the SSH server %1 presents another key than the one trusted for it. Someone may be "
                  "posing as the server, so nothing was sent.\n\nIts %2 key now has the fingerprint\n%3\n\nIf "
                  "the administrator confirms that the key was changed, remove the old one from the known_hosts "
                  "file (in Bellwick's data folder, or ~/.ssh/known_hosts) and use Test again.")
                   .arg(Text(server.Host), Text(server.KeyType), Text(server.Fingerprint));
        break;
    case StoreCause::HostKeyUnknown:
        text = tr("The SSH server is not trusted yet.");
        break;
    case StoreCause::Login:
        text = tr("The server refused the login: check the user name and the password (or the key file).");
        break;
    case StoreCause::NotFound:
        text = tr("The folder was not found at the location.");
        break;
    case StoreCause::Permission:
        text = tr("The account may not do this at the location (permission denied).");
        break;
    case StoreCause::PlainLogin:
    case StoreCause::ReadOnly:
    case StoreCause::Changed:
    case StoreCause::Unknown:
        break;
    }
    if (!report.Detail.empty()) {
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + tr("Details: %1").arg(Text(report.Detail));
    }
    return text;
}

QString GroupTestText::TrustQuestion(const FetchReport& report)
{
    const ServerIdentity& server = report.Server;
    return tr("The SSH server %1 is not known yet. Its %2 key has the fingerprint\n\n%3\n\nCompare it with the one "
              "the server's administrator gives you. Trust this server from now on?")
        .arg(Text(server.Host), Text(server.KeyType), Text(server.Fingerprint));
}

QString GroupTestText::Writability(const FetchReport& report)
{
    if (!report.Writable) {
        return {};
    }
    if (report.Writable->IsOk()) {
        return QStringLiteral("\n\n") + tr("The web server accepts changes (WebDAV): messages can be sent to this "
                                           "group.");
    }
    return QStringLiteral("\n\n") + tr("Messages cannot be sent to this group here: %1. Its messages are read.")
                                        .arg(Text(report.Writable->Detail));
}

QString GroupTestText::Habits(const LocationHabits& habits)
{
    if (habits.Unlocked) {
        return QStringLiteral("\n\n") + tr("The location does not allow the lock folder beside the group file, so "
                                           "members who send at the same moment may overwrite each other's "
                                           "messages.");
    }
    if (habits.StoresInPlace) {
        return QStringLiteral("\n\n") + tr("The location does not allow renaming files, so the group file is "
                                           "written in place: an upload that is cut off can damage it.");
    }
    return {};
}

QString GroupTestText::FetchFailure(const TBWListLocation& group)
{
    const QString name = Text(group.Name);
    switch (group.LocationKind) {
    case LocationFtp:
    case LocationSftp:
        return tr("The group file of \"%1\" could not be fetched (the server could not be reached, refused "
                  "the login or answered with an error). The group was kept, but no new group file was created "
                  "there. Check the group's settings and use Test.")
            .arg(name);
    case LocationHttp:
        return tr("The group file of \"%1\" could not be fetched (the web server could not be reached or "
                  "answered with an error). The group was kept. Check the address and use Test.")
            .arg(name);
    default:
        return tr("The group file of \"%1\" could not be fetched (the folder could not be reached, or the file "
                  "in it could not be read). The group was kept, but no new group file was created there. Check "
                  "the location and use Test.")
            .arg(name);
    }
}
