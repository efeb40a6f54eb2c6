#include "export/common_records.h"

#include "export/biff_records.h"

namespace arvelle::xls {

using namespace biff;

void WriteU16Record(BiffStream& stream, std::uint16_t id,
                    std::initializer_list<std::uint16_t> fields) {
  Bytes data;
  ByteWriter out(data);
  for (std::uint16_t f : fields) out.U16(f);
  stream.Write(id, data);
}

void WriteBof(BiffStream& stream, std::uint16_t substreamType) {
  Bytes data;
  ByteWriter out(data);
  out.U16(kBiff8Version);
  out.U16(substreamType);
  out.U16(kBofBuild);
  out.U16(kBofYear);
  out.U32(kBofHistoryFlags);
  out.U32(kBofLowestVersion);
  stream.Write(kBof, data);
}

}  // namespace arvelle::xls
