#include "support/other_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>

namespace trevane::testing {

bool RunningAsRoot() { return ::geteuid() == 0; }

std::string RunAsPupil(const std::function<std::string()>& body, const std::vector<gid_t>& groups) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child < 0) return "fork failed";
    if (child == 0) {
        ::close(fds[0]);
        std::string result;
        if (RunningAsRoot() &&
            (::setgroups(groups.size(), groups.data()) != 0 || ::setresgid(kPupilGid, kPupilGid, kPupilGid) != 0 ||
             ::setresuid(kPupilUid, kPupilUid, kPupilUid) != 0)) {
            result = "cannot become the pupil user";
        } else {
            try {
                result = body();
            } catch (const std::exception& e) {
                result = std::string("exception: ") + e.what();
            }
        }
        for (ssize_t n = 1, done = 0; n > 0 && done < static_cast<ssize_t>(result.size()); done += n)
            n = ::write(fds[1], result.data() + done, result.size() - static_cast<std::size_t>(done));
        ::_exit(result.empty() ? 0 : 1);
    }
    ::close(fds[1]);
    std::string result;
    char buf[512];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) result.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return "the child process ended by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0 && result.empty()) return "the child process failed";
    return result;
}

}  // namespace trevane::testing
