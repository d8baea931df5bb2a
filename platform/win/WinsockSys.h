// The POSIX side of the sockets module: plain calls on file descriptors that take the platform's option, flag
// and level numbers and report failures as WSA error numbers. Kept apart from Winsock.h because the system's
// socket headers define the same names (SOL_SOCKET, FIONREAD...) with other values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace WinsockSys {

// The WSA error number for an errno value.
int ErrorFromErrno(int Errno);

// Each call returns 0 or a WSA error number; addresses and ports are in network byte order.
int OpenSocket(int Type, int Protocol, int& Fd);  // Type: 1 stream, 2 datagram, 3 raw
int SetNonBlocking(int Fd, bool On);
// 0 when connected at once; WSAEWOULDBLOCK while in progress; else the error.
int Connect(int Fd, std::uint32_t Addr, std::uint16_t Port);
int Bind(int Fd, std::uint32_t Addr, std::uint16_t Port);
int Listen(int Fd, int Backlog);
int Accept(int Fd, int& NewFd, std::uint32_t& Addr, std::uint16_t& Port);
int Shutdown(int Fd, int How);  // 0 receive, 1 send, 2 both
void Close(int Fd);
// Transfers return the count, or -1 with Error set. Flags are the platform's (1 out-of-band, 2 peek).
int Send(int Fd, const void* Buf, int Len, int Flags, int& Error);
int SendTo(int Fd, const void* Buf, int Len, int Flags, std::uint32_t Addr, std::uint16_t Port, int& Error);
int Recv(int Fd, void* Buf, int Len, int Flags, int& Error);
int RecvFrom(int Fd, void* Buf, int Len, int Flags, std::uint32_t& Addr, std::uint16_t& Port, int& Error);
int SetOption(int Fd, int Level, int Option, const char* Value, int Len);
int GetOption(int Fd, int Level, int Option, char* Value, int* Len);
// Bytes waiting to be read; -1 with Error on failure.
int BytesWaiting(int Fd, int& Error);
// The pending error of the socket (SO_ERROR), as a WSA number; 0 for none.
int PendingError(int Fd);
int SockName(int Fd, std::uint32_t& Addr, std::uint16_t& Port);
int PeerName(int Fd, std::uint32_t& Addr, std::uint16_t& Port);
int HostName(std::string& Name);
// The system's resolver (IPv4 only).
int LookupName(const std::string& Name, std::vector<std::uint32_t>& Addrs, std::string& OfficialName);
int LookupAddr(std::uint32_t Addr, std::string& Name);
// A service's port from the services database (network order); false when unknown.
bool ServicePort(const std::string& Name, const std::string& Proto, std::uint16_t& Port);
// Numbers-and-dots to an address, as inet_aton; false when it is not one.
bool ParseAddress(const std::string& Text, std::uint32_t& Addr);
std::string FormatAddress(std::uint32_t Addr);

}  // namespace WinsockSys
