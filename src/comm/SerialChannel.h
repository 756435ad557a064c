#pragma once
#include <string>

#include "Channel.h"

namespace qv::comm {

// The serial line (8 data bits, no parity, one stop bit, no flow control).
// An adapter that is unplugged is reopened by its path when it comes back.
class SerialChannel final : public Channel {
 public:
  SerialChannel(CommLibrary& library, asio::io_context& io, const CommLibrary::Options& options,
                std::string path, unsigned baud);

  // Opens the device now, on the caller's thread, before the channel starts.
  bool OpenNow();

 protected:
  void Open() override;
  void CloseStream() override;
  void AsyncReadSome(asio::mutable_buffer buffer, IoHandler handler) override;
  void AsyncWrite(const std::vector<asio::const_buffer>& buffers, IoHandler handler) override;

 private:
  const std::string path_;
  const unsigned baud_;
  asio::serial_port port_;
};

}  // namespace qv::comm
