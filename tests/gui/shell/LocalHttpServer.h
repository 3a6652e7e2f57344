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

    // The hostile answers: `path` is read and then never answered; its body
    // never ends (announced with `declaredLength` when that is not negative,
    // else until the connection closes); or it is sent elsewhere with a 302.
    void Stall(const std::string& path);
    void StreamEndlessly(const std::string& path, qint64 declaredLength = -1);
    void Redirect(const std::string& path, const std::string& location);
    // The bytes of bodies streamed for `path`, as far as the connection took them.
    qint64 streamedBytes(const std::string& path) const;

    // "http://127.0.0.1:<port>" followed by the path.
    std::string Address(const std::string& path) const;
    const std::vector<std::string>& requestedPaths() const { return requested_; }

    // A port on 127.0.0.1 that nothing listens on (just closed).
    static quint16 ClosedPort();

private:
    struct Reply
    {
        enum class Kind
        {
            Body,
            Stall,
            Stream,
            Redirect,
        };
        int status = 200;
        std::string body;
        qint64 declaredLength = -1;
        Kind kind = Kind::Body;
        std::string location;
    };

    void Accept();
    void Answer(QTcpSocket& socket, const std::string& path);
    void Stream(QTcpSocket& socket, const std::string& path);

    QTcpServer server_;
    Behaviour behaviour_ = Behaviour::Answer;
    std::map<std::string, Reply> replies_;
    std::vector<std::string> requested_;
    std::map<std::string, qint64> streamed_;
};

} // namespace lk::test
