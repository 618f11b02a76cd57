// A small HTTP server on 127.0.0.1 for the tests, on a thread of its own: it
// answers every request in the same way and keeps the request lines it saw.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zyntest {

class HttpServer {
public:
    enum class Mode {
        Answer,  // sends the response, then closes
        Silent,  // reads the request and never answers
        Endless, // the response (by default a 200 header), then filler until the client goes away
        Drip,    // the response one byte every 100 ms
    };

    explicit HttpServer(std::string response, Mode mode = Mode::Answer, std::string filler = std::string(4096, 'x'));
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    int Port() const { return port; }
    // "127.0.0.1:port", the form HTTP_PROXY takes.
    std::string HostPort() const;
    std::string Url(const std::string& path) const { return "http://" + HostPort() + path; }
    // The first line of every request so far ("GET /x HTTP/1.0").
    std::vector<std::string> Requests() const;

    // Whether the whole response was sent (Answer, Drip).
    bool Sent() const { return sent; }

    // A complete "200 OK" response carrying body.
    static std::string Ok(const std::string& body);

private:
    void Serve();
    void Handle(int client);
    bool WaitReadable(int fd) const; // false when the server stops

    std::string response;
    Mode mode;
    std::string filler;
    std::atomic<bool> sent{false};
    int listener = -1;
    int port = 0;
    int stopPipe[2] = {-1, -1};
    mutable std::mutex lock;
    std::vector<std::string> requests;
    std::thread thread;
};

} // namespace zyntest
