#pragma once

#include "GroupList.h"

#include <filesystem>

// The file of group settings beside glist.dat ("glist.opt"), keyed by group name:
//
//   bellwick-group-options 1
//   group Team
//   tls explicit
//   passive yes
//   ca-file /etc/ssl/team-ca.pem
//
// Only groups with settings other than the defaults appear; without any such group there is no
// file. A line that cannot be read gives the group it belongs to (or, before the first group line,
// every group) a Problem instead of a guess.
[[nodiscard]] std::filesystem::path GroupOptionsPath(const std::filesystem::path& groupListFile);
// Written atomically, private to the user; removed when no group has settings.
void SaveGroupOptions(const TBWGroupList& groups, const std::filesystem::path& fileName);
// Sets every group's options from the file (defaults for a group it does not name).
void LoadGroupOptions(TBWGroupList& groups, const std::filesystem::path& fileName);
