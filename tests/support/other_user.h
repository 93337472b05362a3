#pragma once
// Runs part of a test as an unprivileged user, for the cases that need the
// system's own permission checks (root passes every one of them).
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace trevane::testing {

// The user a root test runs as: a user and group number of their own, which need
// no entry in the password file.
inline constexpr uid_t kPupilUid = 4244;
inline constexpr gid_t kPupilGid = 4244;

// Runs `body` in a child process. Under root the child becomes kPupilUid /
// kPupilGid with `groups` as its further groups; under any other user it stays
// that user (`groups` must then be among the user's own). Returns what `body`
// returned ("" when it passed), or how the child ended when it did not return.
std::string RunAsPupil(const std::function<std::string()>& body, const std::vector<gid_t>& groups = {});

// Whether the test runs as root.
bool RunningAsRoot();

}  // namespace trevane::testing
