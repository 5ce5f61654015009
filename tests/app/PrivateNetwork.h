#pragma once

#include <QProcess>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace kestrel::test {

// A network namespace of the test's own, held open by a sleeping process.
// The real programs started in it meet each other through the abstract
// socket namespace, which belongs to the network namespace, but never a copy
// the user runs or a copy another test starts at the same time. The user
// keeps their own user id inside (unshare --map-current-user).
class PrivateNetwork {
public:
    PrivateNetwork()
    {
        holder_.start(QStringLiteral("unshare"),
                      {QStringLiteral("--map-current-user"), QStringLiteral("--net"), QStringLiteral("sleep"),
                       QStringLiteral("600")});
        if (!holder_.waitForStarted(5000))
            return;
        // The holder counts once it runs sleep inside its own namespace.
        const std::string process = "/proc/" + std::to_string(holder_.processId());
        for (int attempt = 0; attempt < 500 && holder_.state() == QProcess::Running; ++attempt) {
            if (namespaceOf(process) != namespaceOf("/proc/self") && commandOf(process) == "sleep") {
                usable_ = true;
                return;
            }
            holder_.waitForFinished(10);
        }
    }
    ~PrivateNetwork()
    {
        holder_.kill();
        holder_.waitForFinished(5000);
    }
    PrivateNetwork(const PrivateNetwork&) = delete;
    PrivateNetwork& operator=(const PrivateNetwork&) = delete;

    // False where unprivileged user namespaces are not allowed.
    bool usable() const { return usable_; }

    // Starts `program` inside the namespace.
    void start(QProcess& process, const QString& program, const QStringList& arguments) const
    {
        process.start(QStringLiteral("nsenter"), QStringList{QStringLiteral("--target"),
                                                             QString::number(holder_.processId()),
                                                             QStringLiteral("--user"), QStringLiteral("--net"),
                                                             QStringLiteral("--preserve-credentials"), program}
                                                     + arguments);
    }

private:
    static std::string namespaceOf(const std::string& process)
    {
        std::error_code error;
        return std::filesystem::read_symlink(process + "/ns/net", error).string();
    }
    static std::string commandOf(const std::string& process)
    {
        std::ifstream file(process + "/comm");
        std::string command;
        std::getline(file, command);
        return command;
    }

    QProcess holder_;
    bool usable_ = false;
};

} // namespace kestrel::test
