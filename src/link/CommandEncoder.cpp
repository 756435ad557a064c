#include "CommandEncoder.h"

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

constexpr uint8_t kFill = 0x55;

class PayloadWriter {
 public:
  explicit PayloadWriter(Payload& tx) : tx_(tx) {}
  void u8(int at, int64_t v) { tx_[at] = static_cast<uint8_t>(v); }
  void u16(int at, int64_t v) {
    u8(at, v);
    u8(at + 1, v >> 8);
  }
  void u32(int at, int64_t v) {
    u16(at, v);
    u16(at + 2, v >> 16);
  }

 private:
  Payload& tx_;
};

}  // namespace

std::optional<Payload> CommandEncoder::Encode(int type, std::span<const uint8_t> args) {
  type = static_cast<uint16_t>(type);  // the type travels as 16 bits
  const auto p = [&](int n) -> uint8_t {
    return n >= 1 && n <= static_cast<int>(args.size()) ? args[n - 1] : 0;
  };
  Payload tx;
  tx.fill(kFill);
  PayloadWriter w(tx);
  DeviceModel& m = model_;
  DeviceStatusRecord& r = m.rec;
  const auto copyArgs = [&](int count) {
    for (int i = 0; i < count; ++i) tx[i] = p(i + 1);
  };

  switch (type) {
    case 1:
    case 21:
    case 33:
    case 34:
    case 37:
      copyArgs(2);
      break;
    case 36:
    case 48:
    case 49:
    case 51:
    case 59:
    case 66:
    case 69:
    case 70:
      copyArgs(1);
      break;
    case 52:
    case 54:
    case 55:
    case 56:
      copyArgs(1);
      m.LastPageArg = p(1);
      break;
    case 23:
    case 24:
      copyArgs(10);
      break;
    case 25:
      copyArgs(9);
      break;
    case 32:
      copyArgs(18);
      break;
    case 71:
    case 72:
      copyArgs(32);
      break;

    case 2:
      w.u8(0, r.ResoIndex);
      w.u16(1, r.HReso);
      w.u16(3, r.VReso);
      w.u16(5, r.Fps);
      w.u16(7, r.HTotal);
      w.u16(9, r.HSync);
      w.u16(11, r.Hbp);
      w.u16(13, r.VTotal);
      w.u16(15, r.VSync);
      w.u16(17, r.Vbp);
      w.u8(19, r.HPol);
      w.u8(20, r.VPol);
      w.u8(21, m.OutputAux);
      break;
    case 3: {
      const int win = p(1);
      if (win >= kWindowCount) return std::nullopt;
      const PictureSettings& ps = r.Picture[m.PictureRecordOf(win)];
      w.u8(0, m.PicFlagB);
      w.u8(1, r.PicMode);
      w.u8(2, r.BrightLevel);
      // Float arithmetic, as the processor's own tools scale it: 0.7 gives 7, not 6.
      w.u8(3, static_cast<int32_t>(r.Gamma * 10.0f));
      w.u8(4, win);
      w.u8(5, m.WindowPicByte[win]);
      w.u8(6, ps.Brightness);
      w.u8(7, ps.Contrast);
      w.u8(8, ps.Saturation);
      w.u8(9, ps.Hue);
      w.u8(10, ps.Sharpness);
      w.u8(11, ps.ColorTemp);
      w.u8(12, ps.ColorRed);
      w.u8(13, ps.ColorGreen);
      w.u8(14, ps.ColorBlue);
      w.u8(15, m.PicFlagA);
      m.PicFlagA = 0;
      m.PicFlagB = 1;
      break;
    }
    case 4: {
      const int k = p(1);
      if (k >= kWindowCount) return std::nullopt;
      const ChnlData& ch = r.Chnl[k];
      w.u8(0, k);
      w.u16(1, ch.HPos);
      w.u16(3, ch.VPos);
      w.u16(5, ch.HAct);
      w.u16(7, ch.VAct);
      w.u8(9, m.WindowGeomOneShot[k]);
      w.u8(10, ch.ChnlRotation);
      m.WindowGeomOneShot[k] = 0;
      break;
    }
    case 5: {
      const int win = p(1);
      if (win >= kWindowCount) return std::nullopt;
      const CropSettings& c = r.Crop[m.PictureRecordOf(win)];
      w.u8(0, win);
      w.u8(1, c.CropOnOff);
      w.u16(2, c.HPos);
      w.u16(4, c.VPos);
      w.u16(6, c.HAct);
      w.u16(8, c.VAct);
      w.u8(10, p(2));
      break;
    }
    case 6: {
      const int c = p(1);
      if (c >= kMosaicCellCount) return std::nullopt;
      w.u8(0, p(2));
      w.u8(1, r.MosaicMode);
      w.u8(2, m.MosaicPageA);
      w.u8(3, c);
      w.u32(4, r.CellHPos[c]);
      w.u32(8, r.CellVPos[c]);
      w.u32(12, r.CellHAct[c]);
      w.u32(16, r.CellVAct[c]);
      w.u32(20, r.CellHEnd[c]);
      w.u32(24, r.CellVEnd[c]);
      w.u8(28, m.MosaicPageB);
      w.u8(29, r.MosaicAux);
      break;
    }
    case 7: {
      const int win = p(1);
      if (win >= kWindowCount) return std::nullopt;
      const int code = InputCode(r.Chnl[win].ChnlInput);
      w.u8(0, win);
      w.u8(1, code / 10);
      w.u8(2, code % 10);
      break;
    }
    case 8: {
      const int k = p(1) + 1;
      if (k >= kWindowCount) return std::nullopt;
      w.u8(0, k);
      w.u8(1, r.Chnl[k].ChnlOnOff);
      w.u8(2, r.Chnl[k].ChnlAlpha);
      break;
    }
    case 9: {
      const int op = p(1);
      const int s = op == 0 ? p(2) : op == 1 ? r.LogoCurId : m.LogoSlotSel;
      if (s >= kLogoSlotCount) return std::nullopt;
      const bool alt = r.LogoUsage == 0 || op == 3;
      w.u8(0, op);
      w.u8(1, s);
      w.u16(2, alt ? m.LogoAltGeom[s] : r.LogoHPos[s]);
      w.u16(4, alt ? m.LogoAltGeom[4 + s] : r.LogoVPos[s]);
      w.u16(6, alt ? m.LogoAltGeom[8 + s] : r.LogoHAct[s]);
      w.u16(8, alt ? m.LogoAltGeom[12 + s] : r.LogoVAct[s]);
      w.u8(10, p(2));
      w.u8(11, r.LogoUsage);
      w.u8(12, r.LogoOnOff);
      w.u8(13, r.LogoPos);
      w.u8(14, r.LogoAux);
      break;
    }
    case 10:
    case 50: {
      const int j = DeviceModel::EdidRecordOf(p(1));
      if (j < 0) return std::nullopt;
      const EdidInfo& e = r.Edid[j];
      w.u8(0, e.EdidInput);
      if (type == 50) break;
      w.u8(1, p(2));
      w.u16(2, e.HAct);
      w.u16(4, e.VAct);
      w.u16(6, e.Fps);
      w.u16(8, e.HBlank);
      w.u16(10, e.VBlank);
      break;
    }
    case 11: {
      const KeyerInfo& k = r.Keyer[p(32) == 3 ? 0 : 1];
      w.u8(0, k.KeyerOnOff);
      w.u8(1, k.KeyerMode);
      w.u8(2, k.KeyerRedL);
      w.u8(3, k.KeyerRedH);
      w.u8(4, k.KeyerGreenL);
      w.u8(5, k.KeyerGreenH);
      w.u8(6, k.KeyerBlueL);
      w.u8(7, k.KeyerBlueH);
      w.u8(8, k.KeyerGainIn);
      w.u8(9, k.KeyerGainOut);
      w.u8(10, k.KeyerGainBnd);
      w.u8(31, p(32));
      break;
    }
    case 12:
      w.u8(0, m.TestPattern);
      break;
    case 13:
      w.u8(0, p(1));
      std::copy(m.TestPatternParams.begin(), m.TestPatternParams.end(), tx.begin() + 1);
      break;
    case 14: {
      const VgaAdjust& v = m.Vga;
      w.u8(0, p(1));
      w.u8(1, v.VgaTarget);
      w.u8(2, p(2));
      w.u16(3, v.VgaClock);
      w.u8(5, v.VgaPhase);
      w.u8(6, v.VgaHPos);
      w.u8(7, v.VgaVPos);
      w.u8(8, p(2));
      constexpr int kAdcOrder[6] = {0, 2, 4, 1, 3, 5};
      for (int i = 0; i < 6; ++i) w.u16(9 + 2 * i, v.VgaAdc[kAdcOrder[i]]);
      w.u8(21, p(2));
      break;
    }
    case 15:
      w.u8(0, r.PvwMode);
      break;
    case 16:
      w.u8(0, r.PvwDTime);
      break;
    case 17: {
      const int t = p(1);
      const int op = p(2);
      if (t >= kTaskCount) return std::nullopt;
      const TaskEntry& task = r.Task[t];
      w.u8(0, op);
      w.u8(1, r.TaskStatus);
      if (op == 1) {
        const uint8_t time[6] = {task.Year, task.Month, task.Day, task.Hour, task.Min, task.Sec};
        std::copy(std::begin(time), std::end(time), tx.begin() + 2);
      } else {
        std::copy(m.DeviceClock.begin(), m.DeviceClock.end(), tx.begin() + 2);
      }
      w.u8(8, t);
      w.u8(9, task.PresetId);
      w.u8(10, task.TaskOption);
      break;
    }
    case 18:
      w.u8(0, r.LoopOutIp);
      break;
    case 20:
      w.u8(0, m.MultiMachine);
      break;
    case 35:
      w.u8(0, m.FeatherOnOff);
      for (int n = 0; n < kWindowCount; ++n) {
        w.u8(1 + 2 * n, m.FeatherSharp[n]);
        w.u8(2 + 2 * n, m.FeatherLevel[n]);
      }
      w.u8(9, p(1));
      break;
    default:
      // Bare requests and types without a layout go out as 32 fill bytes.
      break;
  }
  return tx;
}

int CommandEncoder::EncodeAndSend(int type, std::span<const uint8_t> args) {
  type = static_cast<uint16_t>(type);
  if (type == static_cast<int>(CommandType::WriteFullState)) {
    const DeviceStatusRecord copy = model_.rec;
    return link_.CommSendRecord(copy, model_.TargetAddress);
  }
  const std::optional<Payload> payload = Encode(type, args);
  if (!payload) return kRejected;
  return link_.CommSendCommand(type, *payload, model_.TargetAddress);
}

}  // namespace qv
