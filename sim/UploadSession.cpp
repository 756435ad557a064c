#include "UploadSession.h"

namespace qv::sim {

void UploadSession::ReadHeader() {
  asio::async_read(socket_, asio::buffer(header_),
                   [self = shared_from_this()](std::error_code ec, std::size_t) {
                     if (ec) return;
                     const std::optional<UploadHeader> header = UploadHeader::Parse(self->header_);
                     // Anything else than a header here means the stream is lost: hang up.
                     if (header) self->OnHeader(*header);
                   });
}

void UploadSession::OnHeader(const UploadHeader& header) {
  switch (header.command) {
    case UploadHeader::Command::Start:
      if (header.value > kMaxPackage) return;  // hang up: the encoder has no room for it
      package_.assign(header.value, 0);
      complete_ = false;
      ReadPackage();
      return;
    case UploadHeader::Command::End:
      Answer(complete_ && header.value == package_.size() && !answerFailure_.load());
      return;
    case UploadHeader::Command::Abort:
      package_.clear();
      complete_ = false;
      break;
    default:
      // The sender's confirmation ends the exchange; nothing follows from it.
      break;
  }
  ReadHeader();
}

void UploadSession::ReadPackage() {
  asio::async_read(socket_, asio::buffer(package_),
                   [self = shared_from_this()](std::error_code ec, std::size_t) {
                     if (ec) return;
                     self->complete_ = true;
                     self->ReadHeader();
                   });
}

void UploadSession::Answer(bool success) {
  if (success && onPackage_) onPackage_(package_);
  reply_ = UploadHeader{UploadHeader::Command::Reply, success ? 1u : 0u}.Serialize();
  asio::async_write(socket_, asio::buffer(reply_),
                    [self = shared_from_this()](std::error_code ec, std::size_t) {
                      if (!ec) self->ReadHeader();
                    });
}

}  // namespace qv::sim
