#pragma once

#include "GroupList.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class SecretStore;

// The groups' passwords and FTP passwords at rest. Where the desktop has a password store they are
// kept there, and glist.dat holds empty password lines, which every reader of the file takes as an
// empty password: the file's form does not change. Without a store, or while it cannot be reached,
// glist.dat keeps them as it always has. A password that glist.dat holds is the newer one (written
// without a store, or by an older version) and moves into the store at the next save.
//
// The store must stay unavailable for the rest of the run once it was (KeychainSecretStore does):
// a password that could not be fetched is empty in memory, and an empty password removes what the
// store holds under its key.
class GroupPasswords
{
    Q_DECLARE_TR_FUNCTIONS(GroupPasswords)

public:
    // Without a store (nullptr) nothing moves.
    explicit GroupPasswords(SecretStore* store);

    struct Fetched
    {
        // glist.dat held passwords that the store can take: the file should be written again.
        bool MoveToStore = false;
        // Why some groups' passwords are not known in this run (the store could not be reached), or
        // empty.
        QString Problem;
    };
    // After glist.dat was read: each password line that was empty takes what the store holds.
    Fetched Fetch(TBWGroupList& groups);

    // The groups as glist.dat is to hold them: copies without the passwords that the store now
    // keeps. The store is brought up to date, and forgets the groups of `before` that are gone.
    [[nodiscard]] TBWGroupList ForFile(const TBWGroupList& groups, const TBWGroupList& before);

    // The group's password may be in the store, which cannot be reached in this run: its working
    // list would not open with the empty one, and must be neither moved aside nor written over.
    [[nodiscard]] bool IsUnknown(const TBWListLocation& group) const;

private:
    enum class Secret
    {
        GroupPassword,
        FtpPassword,
    };
    [[nodiscard]] static QString Key(const std::string& groupName, Secret secret);
    // Whether the file may go without the password: the store holds it now.
    bool Store(const std::string& password, const QString& key);

    SecretStore* m_store;
};
