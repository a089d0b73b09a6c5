#pragma once

#include "StoreResult.h"

#include <string>
#include <string_view>
#include <vector>

// A group file's location, seen as the folder that holds it: every name an operation takes is
// relative to that folder ("Sales.dat", "Sales.dat.bwlock/owner"). These are the primitives every
// kind of location offers in some form; the lock and the locked publish are built on them alone,
// so that a new kind of location only has to implement this.
//
// A store is used by one thread at a time. Operations block until done, failed or cancelled.
class GroupStore
{
public:
    struct Abilities
    {
        bool Writable = false; // a web address is read only
    };

    virtual ~GroupStore() = default;

    // The shared file's name in its folder.
    [[nodiscard]] virtual const std::string& SharedName() const = 0;
    [[nodiscard]] virtual Abilities Can() const = 0;
    // Asks the location whether it accepts changes at all (a web server may offer WebDAV or not);
    // a location that cannot tell without trying says Ok.
    virtual StoreResult CheckWritable() { return {}; }

    // Reads the file whole (never more than the size limit), or nothing. When unlessSame is given
    // and the file still carries it, nothing is read and the result says Unchanged.
    virtual FetchResult Fetch(const std::string& name, const FileValidator* unlessSame) = 0;
    virtual StoreResult Stat(const std::string& name, FileValidator& validator) = 0;
    // Creates a folder; Exists when the name is taken. Either it is made or it is not: two members
    // making the same name at once never both succeed.
    virtual StoreResult MakeFolder(const std::string& name) = 0;
    virtual StoreResult RemoveFolder(const std::string& name) = 0;
    // Creates or replaces the file with the bytes.
    virtual StoreResult Put(const std::string& name, std::string_view bytes) = 0;
    // Renames a file or folder, replacing a file of the new name.
    virtual StoreResult Rename(const std::string& from, const std::string& to) = 0;
    virtual StoreResult Delete(const std::string& name) = 0;
    // The names in the folder.
    virtual StoreResult List(std::vector<std::string>& names) = 0;
};
