#include "HttpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zyntest {

HttpServer::HttpServer(std::string response_, Mode mode_, std::string filler_)
    : response(std::move(response_)), mode(mode_), filler(std::move(filler_))
{
    listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof addr;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&addr), size) != 0 || listen(listener, 8) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &size) != 0 || pipe(stopPipe) != 0)
        return; // Port() stays 0
    port = ntohs(addr.sin_port);
    thread = std::thread([this] { Serve(); });
}

HttpServer::~HttpServer()
{
    if (thread.joinable()) {
        const char stop = 0;
        (void)!write(stopPipe[1], &stop, 1);
        thread.join();
    }
    for (int fd : {listener, stopPipe[0], stopPipe[1]})
        if (fd >= 0)
            close(fd);
}

std::string HttpServer::HostPort() const
{
    return "127.0.0.1:" + std::to_string(port);
}

std::vector<std::string> HttpServer::Requests() const
{
    std::lock_guard<std::mutex> guard(lock);
    return requests;
}

std::string HttpServer::Ok(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

bool HttpServer::WaitReadable(int fd) const
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
    while (poll(fds, 2, -1) < 0) {
    }
    return (fds[1].revents & POLLIN) == 0;
}

void HttpServer::Serve()
{
    while (WaitReadable(listener)) {
        const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        Handle(client);
        close(client);
    }
}

void HttpServer::Handle(int client)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (!WaitReadable(client))
            return;
        const ssize_t n = read(client, buffer, sizeof buffer);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<size_t>(n));
    }
    {
        std::lock_guard<std::mutex> guard(lock);
        requests.push_back(request.substr(0, request.find("\r\n")));
    }
    switch (mode) {
    case Mode::Answer:
        sent = send(client, response.data(), response.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(response.size());
        break;
    case Mode::Drip:
        for (size_t i = 0; i < response.size(); ++i) {
            pollfd fds[2] = {{client, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
            // The pause between two bytes; a client that goes away or the server's stop ends it.
            if (poll(fds, 2, 100) != 0 || send(client, &response[i], 1, MSG_NOSIGNAL) != 1)
                return;
        }
        sent = true;
        break;
    case Mode::Silent:
        // Until the client gives up (it closes: readable with no data) or the server stops.
        while (WaitReadable(client) && read(client, buffer, sizeof buffer) > 0) {
        }
        break;
    case Mode::Endless: {
        const std::string head = response.empty() ? "HTTP/1.0 200 OK\r\n\r\n2099.01.01 " : response;
        bool first = true;
        for (;;) {
            pollfd fds[2] = {{client, POLLOUT, 0}, {stopPipe[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
                break;
            const std::string& chunk = first ? head : filler;
            const ssize_t sent = send(client, chunk.data(), chunk.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0 && errno != EAGAIN)
                break;
            first = first && sent <= 0;
        }
        break;
    }
    }
}

} // namespace zyntest
