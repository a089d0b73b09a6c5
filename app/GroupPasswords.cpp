#include "GroupPasswords.h"

#include "SecretStore.h"

#include <tuple>

GroupPasswords::GroupPasswords(SecretStore* store) : m_store(store) {}

QString GroupPasswords::Key(const std::string& groupName, Secret secret)
{
    const QString name = QString::fromLocal8Bit(groupName);
    return secret == Secret::GroupPassword ? QStringLiteral("%1 (group password)").arg(name)
                                           : QStringLiteral("%1 (FTP password)").arg(name);
}

GroupPasswords::Fetched GroupPasswords::Fetch(TBWGroupList& groups)
{
    Fetched fetched;
    if (m_store == nullptr) {
        return fetched;
    }
    QStringList unknown;
    for (const auto& group : groups) {
        // A group password is all but always set, an FTP password wherever an FTP user is: only
        // such an empty line stands for a password that may be in the store.
        const bool ftpAccount = group->LocationKind == LocationFtp && !group->FtpUser.empty();
        bool known = true;
        for (const auto& [password, secret, expected] :
             {std::tuple{&group->Password, Secret::GroupPassword, true},
              std::tuple{&group->FtpPassword, Secret::FtpPassword, ftpAccount}}) {
            std::string stored;
            const SecretStore::Result result = m_store->Read(Key(group->Name, secret), stored);
            if (!password->empty()) {
                fetched.MoveToStore = fetched.MoveToStore || result != SecretStore::Result::Unavailable;
            } else if (result == SecretStore::Result::Done) {
                *password = stored;
            } else if (result == SecretStore::Result::Unavailable && expected) {
                known = false;
            }
        }
        if (!known) {
            unknown.push_back(QString::fromLocal8Bit(group->Name));
        }
    }
    if (!unknown.isEmpty()) {
        fetched.Problem = tr("The desktop's password store cannot be reached (%1). Groups whose passwords are kept "
                             "there cannot be read until Bellwick is started again with the store at hand: %2.")
                              .arg(m_store->Problem(), unknown.join(QStringLiteral(", ")));
    }
    return fetched;
}

TBWGroupList GroupPasswords::ForFile(const TBWGroupList& groups, const TBWGroupList& before)
{
    TBWGroupList copies;
    for (const auto& group : groups) {
        auto copy = std::make_unique<TBWListLocation>();
        copy->Assign(*group);
        if (m_store != nullptr) {
            if (Store(group->Password, Key(group->Name, Secret::GroupPassword))) {
                copy->Password.clear();
            }
            if (Store(group->FtpPassword, Key(group->Name, Secret::FtpPassword))) {
                copy->FtpPassword.clear();
            }
        }
        copies.push_back(std::move(copy));
    }
    if (m_store != nullptr) {
        for (const auto& gone : before) {
            const bool stays = std::any_of(groups.begin(), groups.end(),
                                           [&gone](const auto& group) { return group->Name == gone->Name; });
            if (!stays) {
                (void)m_store->Remove(Key(gone->Name, Secret::GroupPassword));
                (void)m_store->Remove(Key(gone->Name, Secret::FtpPassword));
            }
        }
    }
    return copies;
}

bool GroupPasswords::IsUnknown(const TBWListLocation& group) const
{
    return m_store != nullptr && !m_store->Problem().isEmpty() && group.Password.empty();
}

bool GroupPasswords::Store(const std::string& password, const QString& key)
{
    if (password.empty()) {
        // Nothing to keep in the file; a password the store kept for this name is no longer the group's.
        (void)m_store->Remove(key);
        return true;
    }
    return m_store->Write(key, password) == SecretStore::Result::Done;
}
