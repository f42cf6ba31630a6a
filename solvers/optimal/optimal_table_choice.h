#pragma once
// Which table set the fewest-turns method uses, and the status line that says so.
#include "model/fixed_text.h"
#include "solvers/optimal/optimal_tables.h"

namespace velmora::optimal {

// request: -1 by the machine's memory, 0 small, 1 large, 2 huge.
inline TableSize ChosenTableSize(int request) {
    return request == 0   ? TableSize::Small
           : request == 1 ? TableSize::Large
           : request == 2 ? TableSize::Huge
                          : DefaultTableSize();
}

inline void DescribeTables(TableSize size, int request, const LoadReport& report, FixedText<255>& out) {
    const long megabytes = FileBytes(size) >> 20;
    if (report.outcome == LoadOutcome::Cancelled) {
        out.Assign("最少步数表的建立已取消");
        return;
    }
    if (report.outcome == LoadOutcome::Failed) {
        out.Assign(report.message.find("read back") != std::string::npos ? "最少步数表不能建立：写入的表文件读回有误"
                                                                          : "最少步数表不能建立：内存不足");
        return;
    }
    if (size == TableSize::Small && request < 0)
        out.Format("本机内存不足 4 GB，最少步数搜索用小表（%ld MB），搜索较慢", megabytes);
    else
        out.Format("最少步数搜索用%s表（%ld MB）", size == TableSize::Small   ? "小"
                                              : size == TableSize::Large ? "大"
                                                                         : "特大",
                   megabytes);
    if (report.outcome == LoadOutcome::Rebuilt)
        out.Append(report.message.find("older layout") != std::string::npos ? "；表文件是旧版程序写的，已重新建立"
                                                                            : "；表文件已损坏，已重新建立");
    if (report.message.find("memory only") != std::string::npos) out.Append("；缓存目录不能写入，表只在内存中");
}

}  // namespace velmora::optimal
