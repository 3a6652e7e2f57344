#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <map>
#include <string>
#include <vector>

namespace lk::test {

// A small HTTP/1.1 server on 127.0.0.1 for the update check's tests. It lives
// on the test's thread: the downloader's local event loop serves it. Every
// request is counted; each answer closes its connection.
class LocalHttpServer
{
public:
    enum class Behaviour
    {
        Answer,      // the served body, or 404
        NeverAnswer, // reads the request and keeps the connection open, silent
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // Serves `body` at `path` with the status; `declaredLength` above the body's
    // size announces more than is sent, and the connection closes early.
    void Serve(const std::string& path, const std::string& body, int status = 200, qint64 declaredLength = -1);
    void SetBehaviour(Behaviour behaviour) { behaviour_ = behaviour; }

    // "http://127.0.0.1:<port>" followed by the path.
    std::string Address(const std::string& path) const;
    const std::vector<std::string>& requestedPaths() const { return requested_; }

    // A port on 127.0.0.1 that nothing listens on (just closed).
    static quint16 ClosedPort();

private:
    struct Reply
    {
        int status = 200;
        std::string body;
        qint64 declaredLength = -1;
    };

    void Accept();
    void Answer(QTcpSocket& socket, const std::string& path);

    QTcpServer server_;
    Behaviour behaviour_ = Behaviour::Answer;
    std::map<std::string, Reply> replies_;
    std::vector<std::string> requested_;
};

} // namespace lk::test
