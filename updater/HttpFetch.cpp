#include "HttpFetch.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

bool IsDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A connected socket that gives up at one deadline.
class Connection {
public:
    explicit Connection(Clock::time_point deadline) : deadline(deadline) {}
    ~Connection()
    {
        if (fd >= 0)
            close(fd);
    }

    bool Open(const std::string& host, const std::string& port)
    {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0)
            return false;
        for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
            fd = socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
            if (fd < 0)
                continue;
            int error = 0;
            socklen_t size = sizeof error;
            const bool connected = connect(fd, a->ai_addr, a->ai_addrlen) == 0 ||
                                   (errno == EINPROGRESS && Wait(POLLOUT) &&
                                    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0);
            if (!connected) {
                close(fd);
                fd = -1;
            }
        }
        freeaddrinfo(found);
        return fd >= 0;
    }

    bool Send(const std::string& data)
    {
        size_t sent = 0;
        while (sent < data.size()) {
            if (!Wait(POLLOUT))
                return false;
            const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            if (n > 0)
                sent += static_cast<size_t>(n);
        }
        return true;
    }

    // Some bytes into buffer: their count, 0 at the end of the answer, -1 on an error or at the deadline.
    ssize_t Receive(char* buffer, size_t size)
    {
        for (;;) {
            if (!Wait(POLLIN))
                return -1;
            const ssize_t n = recv(fd, buffer, size, 0);
            if (n >= 0)
                return n;
            if (errno != EAGAIN && errno != EINTR)
                return -1;
        }
    }

private:
    bool Wait(short events)
    {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd p{fd, events, 0};
            const int rc = poll(&p, 1, static_cast<int>(left));
            if (rc > 0)
                return true;
            if (rc == 0 || errno != EINTR)
                return false;
        }
    }

    Clock::time_point deadline;
    int fd = -1;
};

// The answer as it comes: the header line by line within its limits, then the body.
class Answer {
public:
    explicit Answer(const HttpLimits& limits) : limits(limits) {}

    // Takes bytes; false as soon as the answer cannot be a good one.
    bool Take(const char* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            if (inBody) {
                const size_t rest = size - i;
                if (body.size() + rest > limits.bodyBytes || (length >= 0 && body.size() + rest > static_cast<size_t>(length)))
                    return false;
                body.append(data + i, rest);
                return true;
            }
            if (data[i] != '\n') {
                line += data[i];
                if (line.size() > limits.headerLineBytes)
                    return false;
                continue;
            }
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!HeaderLine())
                return false;
            line.clear();
        }
        return true;
    }

    // Whether the whole body is there (with a length: all of it; without: at the end).
    bool Complete(bool atEnd) const
    {
        return inBody && (length >= 0 ? body.size() == static_cast<size_t>(length) : atEnd);
    }

    std::string body;

private:
    bool HeaderLine()
    {
        if (++lines > limits.headerLines)
            return false;
        if (lines == 1) {
            // "HTTP/1.1 200 OK": only a success counts.
            const size_t space = line.find(' ');
            return line.compare(0, 5, "HTTP/") == 0 && space != std::string::npos &&
                   line.size() >= space + 4 && line[space + 1] == '2' && IsDigits(line.substr(space + 1, 3));
        }
        if (line.empty()) {
            inBody = true;
            return length < 0 || static_cast<size_t>(length) <= limits.bodyBytes;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            return false;
        const std::string name = Lower(line.substr(0, colon));
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        value.erase(value.find_last_not_of(" \t") + 1);
        if (name == "content-length") {
            if (!IsDigits(value) || value.size() > 9)
                return false;
            length = std::atol(value.c_str());
        }
        // A body in pieces is not what a plain HTTP/1.0 request may get.
        return name != "transfer-encoding" || Lower(value) == "identity";
    }

    const HttpLimits& limits;
    std::string line;
    size_t lines = 0;
    long length = -1;
    bool inBody = false;
};

// "host:port" of HTTP_PROXY (as the toolkit reads it), with or without "http://".
bool ProxyOf(HttpAddress& proxy)
{
    const char* value = std::getenv("HTTP_PROXY");
    if (!value || !*value)
        return false;
    std::string text = value;
    if (Lower(text.substr(0, 7)) != "http://")
        text = "http://" + text;
    return proxy.Parse(text);
}

} // namespace

bool HttpAddress::Parse(const std::string& address)
{
    if (Lower(address.substr(0, 7)) != "http://")
        return false;
    const size_t start = 7;
    const size_t end = address.find_first_of("/?#", start);
    const std::string authority = address.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (authority.find('@') != std::string::npos)
        return false;
    std::string name = authority, number = "80";
    const size_t bracket = authority.find(']');
    const size_t colon = authority.rfind(':');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        name = authority.substr(0, colon);
        number = authority.substr(colon + 1);
        if (!IsDigits(number))
            return false;
    }
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    if (name.empty() || name.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    std::string rest = end == std::string::npos ? "/" : address.substr(end);
    rest = rest.substr(0, rest.find('#'));
    if (rest.empty() || rest[0] != '/')
        rest = "/" + rest;
    if (rest.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    host = name;
    port = number;
    path = rest;
    return true;
}

bool HttpFetch(const HttpAddress& address, const HttpLimits& limits, std::string& body)
{
    body.clear();
    Connection connection(Clock::now() + std::chrono::milliseconds(limits.deadlineMs));
    HttpAddress proxy;
    const bool viaProxy = ProxyOf(proxy);
    const bool ipv6 = address.host.find(':') != std::string::npos;
    const std::string host = (ipv6 ? "[" + address.host + "]" : address.host) + (address.port == "80" ? "" : ":" + address.port);
    const std::string target = viaProxy ? "http://" + host + address.path : address.path;
    if (!(viaProxy ? connection.Open(proxy.host, proxy.port) : connection.Open(address.host, address.port)) ||
        !connection.Send("GET " + target + " HTTP/1.0\r\nHost: " + host + "\r\nConnection: close\r\n\r\n"))
        return false;
    Answer answer(limits);
    char buffer[4096];
    for (;;) {
        const ssize_t n = connection.Receive(buffer, sizeof buffer);
        if (n < 0 || !answer.Take(buffer, static_cast<size_t>(n)))
            return false;
        if (answer.Complete(n == 0)) {
            body = std::move(answer.body);
            return true;
        }
        if (n == 0)
            return false; // cut short
    }
}
