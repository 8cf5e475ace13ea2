#pragma once
// The error classes every layer raises. Messages are 8-bit text in code page 1251;
// only the application's default error report shows them.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// A text that does not convert to the number asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list's bounds.
class EListError : public Exception {
public:
    using Exception::Exception;
};
