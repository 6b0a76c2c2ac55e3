#include "display/HkParameter.h"

#include <string_view>

namespace orvik::display {

// Extended precision from the single-precision constants; the caller keeps a float.
float scaleSigned(uint16_t raw, float factor, float)
{
    return float(static_cast<long double>(static_cast<int16_t>(raw)) * factor);
}

float scaleUnsigned(uint16_t raw, float factor, float)
{
    return float(static_cast<long double>(raw) * factor);
}

float scaleThenOffset(uint16_t raw, float factor, float offset)
{
    return float(static_cast<long double>(raw) * factor + offset);
}

float offsetThenScale(uint16_t raw, float factor, float offset)
{
    return float((static_cast<long double>(raw) + offset) * factor);
}

const std::array<uint16_t, 17> bitMasks = {0x0000, 0x0001, 0x0003, 0x0007, 0x000F, 0x001F, 0x003F,
                                           0x007F, 0x00FF, 0x01FF, 0x03FF, 0x07FF, 0x0FFF, 0x1FFF,
                                           0x3FFF, 0x7FFF, 0xFFFF};

namespace {

constexpr HkParameter hk(int16_t word, const char* mnemonic, const char* description, const char* unit,
                         const char* formula, HkConversion convert = nullptr, float factor = 0, float offset = 0)
{
    return {regularHkKey, {4, 1, 2, 4, 5}, 3, 25, word, 0, 16, 2, 64,
            mnemonic, description, unit, formula, convert, factor, offset};
}

constexpr HkParameter internalHk(int16_t word, const char* mnemonic, const char* description, const char* unit,
                                 const char* formula)
{
    return {internalHkKey, {4, 1, 2, 4, 5}, 3, 25, word, 0, 16, 1, 128,
            mnemonic, description, unit, formula, nullptr, 0, 0};
}

constexpr HkParameter science(int16_t word, const char* mnemonic, const char* description, const char* unit,
                              const char* formula)
{
    return {scienceKey, {0, 0, 0, 0, 0}, 20, 3, word, 0, 16, 1, 128,
            mnemonic, description, unit, formula, nullptr, 0, 0};
}

} // namespace

// Rows 19 and 35 subtract 273.16 and row 41 scales by 0.505, whatever their formula texts say.
const std::array<HkParameter, hkParameterCount> hkParameterTable = {
    hk(0, "ORVH_p5V_C", "Current +5V", "mA", "x*0.183", scaleSigned, 0.183f),
    hk(1, "ORVH_m5V_C", "Current -5V", "mA", "x*0.0183", scaleSigned, 0.0183f),
    hk(2, "ORVH_p12V_C", "Current +12V", "mA", "x*0.0915", scaleSigned, 0.0915f),
    hk(3, "ORVH_m12V_C", "Current -12V", "mA", "x*0.0183", scaleSigned, 0.0183f),
    hk(4, "ORVH_System_power", "System Power", "W", "x*0.00146", scaleSigned, 0.00146f),
    hk(5, "ORVH_GC_ADC_Input", "GC ADC Input", "-", "x"),
    hk(6, "ORVH_MS_ADC_Input", "MS ADC Input", "-", "x"),
    hk(7, "ORVH_Chan7_DPU_Mux", "DPU Channel 7", "-", "x"),
    hk(8, "ORVH_Chan8_DPU_Mux", "DPU Channel 8", "-", "x"),
    hk(9, "ORVH_Chan9_DPU_Mux", "DPU Channel 9", "-", "x"),
    hk(10, "ORVH_Chan10_DPU_Mux", "DPU Channel 10", "-", "x"),
    hk(11, "ORVH_Chan11_DPU_Mux", "DPU Channel 11", "-", "x"),
    hk(12, "ORVH_Chan12_DPU_Mux", "DPU Channel 12", "-", "x"),
    hk(13, "ORVH_Chan13_DPU_Mux", "DPU Channel 13", "-", "x"),
    hk(14, "ORVH_Chan14_DPU_Mux", "DPU Channel 14", "-", "x"),
    hk(15, "ORVH_DPU_Voltage", "Voltage DPU", "V", "(x*2)*0.000366", scaleSigned, 0.000732f),
    hk(16, "ORVH_He1_Pressure", "Pressure He tank 1", "mbar", "x*16", scaleUnsigned, 16.0f),
    hk(17, "ORVH_He2_Pressure", "Pressure He tank 2", "mbar", "x*16", scaleUnsigned, 16.0f),
    hk(18, "ORVH_IonS_MS_Pressure", "Pressure Ion Source", "-", "x"),
    hk(19, "ORVH_GCboard2_Temp", "Temperature GC Board2", "°C", "x*0.04", scaleThenOffset, 0.04f, -273.16f),
    hk(20, "ORVH_Tenax_Temp", "Temperature Tenax", "°C", "x*0.028", scaleUnsigned, 0.028f),
    hk(21, "ORVH_He_Sec_Pressure", "Secondary pressure He", "mbar", "x*0.2", scaleUnsigned, 0.2f),
    hk(22, "ORVH_unusedGC6", "not used", "-", "x"),
    hk(23, "ORVH_Valve_Voltage", "Valve Voltage", "V", "x*0.045", scaleUnsigned, 0.045f),
    hk(24, "ORVH_Column1_Tmp", "Temperature Column 1", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(25, "ORVH_Column2_Tmp", "Temperature Column 2", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(26, "ORVH_Column3_Tmp", "Temperature Column 3", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(27, "ORVH_Column4_Tmp", "Temperature Column 4", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(28, "ORVH_Column5_Tmp", "Temperature Column 5", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(29, "ORVH_Column6_Tmp", "Temperature Column 6", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(30, "ORVH_Column7_Tmp", "Temperature Column 7", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(31, "ORVH_Column8_Tmp", "Temperature Column 8", "°C", "x*0.014", scaleUnsigned, 0.014f),
    hk(32, "ORVH_PipeA_m_Temp", "Temperature Pipe A", "°C", "(x-2522)*0.11", offsetThenScale, 0.11f, -2522.0f),
    hk(33, "ORVH_PipeB_m_Temp", "Temperature Pipe B", "°C", "(x-2522)*0.11", offsetThenScale, 0.11f, -2522.0f),
    hk(34, "ORVH_Oven_Temp", "Temperature Oven", "°C", "(x-970)*0.14", offsetThenScale, 0.14f, -970.0f),
    hk(35, "ORVH_MSEBox_Temp", "Temperature MS EBox", "°C", "x0.04", scaleThenOffset, 0.04f, -273.16f),
    hk(36, "ORVH_CalGas_Pressure", "Pressure Calibration Gas", "-", "x"),
    hk(37, "ORVH_TPST_Position", "Position Tapping Station", "-", "-"),
    hk(38, "ORVH_unusedMS6", "not used", "-", "x"),
    hk(39, "ORVH_unusedMS7", "not used", "-", "x"),
    hk(40, "ORVH_Emission_current", "Emission Current", "nA", "x*0.0073", scaleUnsigned, 0.0073f),
    hk(41, "ORVH_MS_HV1_det_V", "HV1, U detector", "V", "x*505", scaleUnsigned, 0.505f),
    hk(42, "ORVH_MS_HV2_refl2_4_V", "HV2, U reflector 2_4", "V", "x*0.000366", scaleUnsigned, 0.000366f),
    hk(43, "ORVH_MS_HV3_refl2_V", "HV3, U reflector 2", "V", "x*0.000366", scaleUnsigned, 0.000366f),
    hk(44, "ORVH_MS_HV4_refl1_V", "HV4, U reflector 1", "V", "x*0.000366", scaleUnsigned, 0.000366f),
    hk(45, "ORVH_MS_HV5_lense2_V", "HV5, U lense 2", "V", "x*0.000366", scaleUnsigned, 0.000366f),
    hk(46, "ORVH_MS_HV6_lense1_V", "HV6, U lense 1", "V", "x*0.000366", scaleUnsigned, 0.000366f),
    hk(47, "ORVH_MS_HV7_G3_V", "HV7, U G3", "V", "x*0.000366", scaleUnsigned, 0.000366f),
    hk(48, "ORVH_Rec_CDMS_Msg", "Counter for received CDMS Messages", "-", "x"),
    hk(49, "ORVH_Trans_CDMS_Msg", "Counter for transmitted CDMS Messages", "-", "x"),
    hk(50, "ORVH_Stat_CDMS_Msg", "Counter for CDMS Status Messages", "-", "x"),
    hk(51, "ORVH_Stored_Msg", "Counter for stored TCs", "-", "x"),
    hk(52, "ORVH_RERC_Msg", "Counter for RERC Messages", "-", "x"),
    hk(53, "ORVH_Last_SSIF_error", "Last received SSIF error code", "-", "x"),
    hk(54, "ORVH_LOBT_high", "High(LOBT)", "-", "x"),
    hk(55, "ORVH_LOBT_low", "Low(LOBT)", "-", "x"),
    hk(56, "ORVH_BRAM_pointer", "BackupRAM pointer", "-", "x"),
    hk(57, "ORVH_PHeCopy", "Pressure He", "-", "x"),
    hk(58, "ORVH_MS_Cycles", "MS Cycle", "-", "x"),
    hk(59, "ORVH_GC_Cycles", "GC Cycle", "-", "x"),
    hk(60, "ORVH_SysStatus2", "System Status 2", "-", "x"),
    hk(61, "ORVH_SysStatus1", "System Status 1", "-", "x"),
    hk(62, "ORVH_Error_Msg", "Error message", "-", "x"),
    hk(63, "ORVH_TPST_last", "Last read position of TPST", "-", "x"),
    science(0, "ORVS_PktID", "Science packet ID", "-", "x"),
    science(1, "ORVS_PktCnt", "Science packet count", "-", "x"),
    internalHk(64, "ORVH_Alloc_BRAM_Size", "Allocated BackupRAM size", "-", "x"),
    internalHk(65, "ORVH_SD_Packet_Chksum", "Checksum of Science Data packet", "-", "x"),
    internalHk(66, "ORVH_StoredTC_Offset_Length", "Offset & Length of Stored TC buffer", "-", "x"),
    internalHk(67, "ORVH_SSIF_Request", "Currently scheduled SSIF request", "-", "x"),
    internalHk(68, "ORVH_Service_Sys_Status", "Last CDMS Service System Status", "-", "x"),
    internalHk(69, "ORVH_CDMS_Mode", "Last CDMS Mode", "-", "x"),
    internalHk(70, "ORVH_Trigger_Word", "Trigger Word", "-", "x"),
    internalHk(71, "ORVH_Alloc_SD", "Allocated Science Data Volume", "-", "x"),
    internalHk(72, "ORVH_MMFirstInit", "$MMFirstInit?", "-", "x"),
    internalHk(73, "ORVH_MMReadCounterHigh", "$MMRdCntHigh", "-", "x"),
    internalHk(74, "ORVH_MMReadCounterLow", "$MMRdCntLow", "-", "x"),
    internalHk(75, "ORVH_MMADRH", "$MMADRH", "-", "x"),
    internalHk(76, "ORVH_MMADRL", "$MMADRL", "-", "x"),
    internalHk(77, "ORVH_MMFlush", "mm$flush", "-", "x"),
    internalHk(78, "ORVH_rFR", "$rFR", "-", "x"),
    internalHk(79, "ORVH_wFR", "$wFR", "-", "x"),
    internalHk(80, "ORVH_rMMFR", "$rMMFR", "-", "x"),
    internalHk(80, "ORVH_wMMFR", "$wMMFR", "-", "x"),
    internalHk(81, "ORVH_IdleCount", "idleCnt", "-", "x"),
    internalHk(82, "ORVH_SD2Status", "$sd2status", "-", "x"),
    internalHk(83, "ORVH_MMDUMP", "$MMDUMP", "-", "x"),
    internalHk(84, "ORVH_TDCMODE", "TDCMODE", "-", "x"),
    internalHk(85, "ORVH_DPUADR", "$DPUadr", "-", "x"),
    internalHk(86, "ORVH_EODATA", "$EODDATA", "-", "x"),
    internalHk(87, "ORVH_EOM", "$EOM", "-", "x"),
    internalHk(88, "ORVH_TDC_SKIP", "$TDCSKIP", "-", "x"),
    internalHk(89, "ORVH_GC_SKIP", "$GCSKIP", "-", "x"),
    internalHk(90, "ORVH_Result", "gvSTAC.RESULT", "-", "x"),
};

std::string titleWithUnit(const HkParameter& d)
{
    const std::string_view unit = d.unit;
    return unit == "-" ? std::string(d.mnemonic) : std::string(d.mnemonic) + " [" + d.unit + "]";
}

std::optional<float> engineeringValue(const HkParameter& d, WordView block, int half)
{
    const std::optional<uint16_t> word = halfWord(block, half, size_t(d.wordIndex));
    if (!word)
        return std::nullopt;
    const auto mask = uint16_t(bitMasks[size_t(d.bitCount)] << d.bitOffset);
    const auto raw = uint16_t((*word & mask) >> d.bitOffset);
    return d.convert ? d.convert(raw, d.factor, d.offset) : float(raw);
}

} // namespace orvik::display
