#pragma once

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/session.h"

#include <QString>
#include <vector>

// The field objects of the data module, dataset by dataset in the order of their layouts:
// X(member, field) names the member (table name + field name, "MbzD1") and the field it is
// bound to. The one member that departs from the rule is MbzP2 (field P of Mbz). Every field a
// dataset declares must have exactly one member here; the data module refuses to start otherwise.
#define TDM1_FIELDS_Mbzp(X) \
    X(MbzpPc, Pc) X(MbzpNa, Na) X(MbzpBa, Ba) X(MbzpCu, Cu) X(MbzpKb, Kb) X(MbzpO1, O1) \
    X(MbzpV, V) X(MbzpP, P) X(MbzpKti, Kti) X(MbzpM, M) X(MbzpPt, Pt) X(MbzpPt1, Pt1)

#define TDM1_FIELDS_Mbz(X) \
    X(MbzID, ID) X(MbzNa, Na) X(MbzBa, Ba) X(MbzCu, Cu) X(MbzKb, Kb) X(MbzVs, Vs) X(MbzKs, Ks) \
    X(MbzSs, Ss) X(MbzO1, O1) X(MbzO2, O2) X(MbzO3, O3) X(MbzO4, O4) X(MbzO5, O5) X(MbzSpl, Spl) \
    X(MbzVm, Vm) X(MbzCa, Ca) X(MbzD1, D1) X(MbzD3, D3) X(MbzBai, Bai) X(MbzCui, Cui) X(MbzV, V) \
    X(MbzP2, P) X(MbzPc, Pc) X(MbzNai, Nai) X(MbzCab, Cab) X(MbzVsb, Vsb) X(MbzMen, Men) \
    X(MbzUpp, Upp) X(MbzIk, Ik) X(MbzPt, Pt) X(MbzA, A) X(MbzA1, A1) X(MbzKti, Kti) \
    X(MbzKbi, Kbi) X(MbzVi, Vi) X(MbzMi, Mi) X(MbzNai3, Nai3) X(MbzBai3, Bai3) X(MbzCui3, Cui3) \
    X(MbzP3, P3)

#define TDM1_FIELDS_Mbp(X) \
    X(MbpID, ID) X(MbpNa, Na) X(MbpBa, Ba) X(MbpCu, Cu) X(MbpKb, Kb) X(MbpVs, Vs) X(MbpKs, Ks) \
    X(MbpSs, Ss) X(MbpO1, O1) X(MbpO2, O2) X(MbpO3, O3) X(MbpO4, O4) X(MbpO5, O5) X(MbpSpl, Spl) \
    X(MbpVm, Vm) X(MbpCa, Ca) X(MbpD1, D1) X(MbpD3, D3) X(MbpBai, Bai) X(MbpCui, Cui) X(MbpV, V) \
    X(MbpP, P) X(MbpPc, Pc) X(MbpNai, Nai) X(MbpCab, Cab) X(MbpVsb, Vsb) X(MbpMen, Men) \
    X(MbpUpp, Upp) X(MbpIk, Ik)

#define TDM1_FIELDS_Mkf(X) \
    X(MkfID, ID) X(MkfNa, Na) X(MkfCu2, Cu2) X(MkfCu1, Cu1) X(MkfVs, Vs) X(MkfCa, Ca) \
    X(MkfDv, Dv) X(MkfDs, Ds) X(MkfP, P) X(MkfKb, Kb) X(MkfKbi, Kbi) X(MkfSs, Ss) X(MkfUpp, Upp) \
    X(MkfM, M)

#define TDM1_FIELDS_Mtt(X) \
    X(MttDv, Dv) X(MttDs, Ds) X(MttV, V) X(MttDz, Dz) X(MttDk, Dk) X(MttP, P) X(MttPc, Pc) \
    X(MttNa, Na) X(MttBa, Ba) X(MttCu, Cu) X(MttVh, Vh) X(MttVl, Vl) X(MttKop, Kop) X(MttPk, Pk) \
    X(MttObr, Obr) X(MttKod, Kod) X(MttIco, Ico) X(MttDic, Dic) X(MttFa, Fa) X(MttUl, Ul) \
    X(MttMi, Mi) X(MttPsc, Psc) X(MttTel1, Tel1) X(MttFax, Fax) X(MttDzh, Dzh) X(MttDkh, Dkh) \
    X(MttT, T) X(MttNah, Nah) X(MttPcc1, Pcc1) X(MttPcc2, Pcc2) X(MttPcc, Pcc) X(MttD, D) \
    X(MttBanka, Banka) X(MttZa1, Za1) X(MttUh4, Uh4) X(MttIk4, Ik4) X(MttZavt, Zavt) \
    X(MttStrc, Strc) X(MttDoz, Doz) X(MttZa2, Za2) X(MttZa3, Za3) X(MttZa4, Za4) X(MttZ1, Z1) \
    X(MttDpz, Dpz) X(MttVsd, Vsd) X(MttZak, Zak) X(MttPrh1, Prh1) X(MttTrh1, Trh1) X(MttA, A)

#define TDM1_FIELDS_Modf(X) \
    X(ModfK, K) X(ModfJu, Ju) X(ModfTd, Td) X(ModfDd, Dd) X(ModfBupp, Bupp) X(ModfZpp, Zpp) \
    X(ModfIhn, Ihn) X(ModfTc, Tc) X(ModfOdl, Odl) X(ModfFa, Fa) X(ModfD1, D1) X(ModfD3, D3) \
    X(ModfUh, Uh) X(ModfIk, Ik) X(ModfPre, Pre) X(ModfA, A) X(ModfB, B) X(ModfPri, Pri)

#define TDM1_FIELDS_Pmt(X) \
    X(PmtOdl, Odl) X(PmtFa, Fa) X(PmtUh, Uh) X(PmtIk, Ik) X(PmtZa1, Za1) X(PmtDa, Da) \
    X(PmtTc, Tc)

#define TDM1_FIELDS_Mban(X) \
    X(MbanID, ID) X(MbanCu1, Cu1) X(MbanCu2, Cu2) X(MbanKod, Kod) X(MbanSs, Ss) X(MbanVs, Vs) \
    X(MbanKs, Ks) X(MbanCa, Ca) X(MbanDs, Ds) X(MbanTp, Tp) X(MbanKodi, Kodi) X(MbanUpp, Upp) \
    X(MbanRd, Rd) X(MbanM1, M1) X(MbanCislo, Cislo) X(MbanUppAv, UppAv)

#define TDM1_FIELDS_MbanP1(X) \
    X(MbanP1ID, ID) X(MbanP1Cu1, Cu1) X(MbanP1Cu2, Cu2) X(MbanP1Kod, Kod) X(MbanP1Ss, Ss) \
    X(MbanP1Vs, Vs) X(MbanP1Ks, Ks) X(MbanP1Ca, Ca) X(MbanP1Ds, Ds) X(MbanP1Tp, Tp) \
    X(MbanP1Kodi, Kodi) X(MbanP1Upp, Upp) X(MbanP1Rd, Rd) X(MbanP1M1, M1) X(MbanP1Cislo, Cislo)

#define TDM1_FIELDS_Mban1(X) \
    X(Mban1Cu1, Cu1) X(Mban1Kodi, Kodi) X(Mban1Cac, Cac) X(Mban1Ds, Ds) X(Mban1Tp, Tp)

#define TDM1_FIELDS_Pmdf(X) \
    X(PmdfCislo, Cislo) X(PmdfK, K) X(PmdfJu, Ju) X(PmdfTd, Td) X(PmdfDd, Dd) X(PmdfBupp, Bupp) \
    X(PmdfZpp, Zpp) X(PmdfIhn, Ihn) X(PmdfTc, Tc) X(PmdfVsd, Vsd) X(PmdfTisk, Tisk) \
    X(PmdfCu1, Cu1) X(PmdfKodi, Kodi) X(PmdfCu2, Cu2) X(PmdfKod, Kod) X(PmdfVs, Vs) \
    X(PmdfCa, Ca) X(PmdfD1, D1) X(PmdfD3, D3) X(PmdfTpr, Tpr) X(PmdfTsf, Tsf) X(PmdfMi, Mi) \
    X(PmdfD1c, D1c) X(PmdfD3c, D3c)

#define TDM1_FIELDS_PmdfC1(X) \
    X(PmdfC1Cislo, Cislo) X(PmdfC1Ca, Ca)

#define TDM1_FIELDS_Pbz(X) \
    X(PbzID, ID) X(PbzCislo, Cislo) X(PbzNa, Na) X(PbzBa, Ba) X(PbzCu, Cu) X(PbzKb, Kb) \
    X(PbzVs, Vs) X(PbzKs, Ks) X(PbzSs, Ss) X(PbzO1, O1) X(PbzO2, O2) X(PbzO3, O3) X(PbzO4, O4) \
    X(PbzO5, O5) X(PbzSpl, Spl) X(PbzVm, Vm) X(PbzCa, Ca) X(PbzD1, D1) X(PbzD3, D3) \
    X(PbzBai, Bai) X(PbzCui, Cui) X(PbzV, V) X(PbzP, P) X(PbzPc, Pc) X(PbzNai, Nai) \
    X(PbzCab, Cab) X(PbzVsb, Vsb) X(PbzMen, Men) X(PbzUpp, Upp) X(PbzIk, Ik) X(PbzKti, Kti) \
    X(PbzKbi, Kbi) X(PbzVi, Vi) X(PbzMi, Mi) X(PbzIhn, Ihn)

#define TDM1_FIELDS_Maz(X) \
    X(MazNa, Na) X(MazIco, Ico) X(MazDic, Dic) X(MazFa, Fa) X(MazJm, Jm) X(MazUl, Ul) \
    X(MazPsc, Psc) X(MazMi, Mi) X(MazCobz, Cobz) X(MazDobz, Dobz) X(MazDan, Dan) X(MazP1, P1) \
    X(MazP2, P2) X(MazP3, P3) X(MazKp1, Kp1) X(MazKp2, Kp2) X(MazTel, Tel) X(MazO, O) \
    X(MazKu1, Ku1) X(MazKu2, Ku2) X(MazKu3, Ku3) X(MazA, A) X(MazB, B) X(MazC, C) X(MazPp, Pp) \
    X(MazSl, Sl) X(MazBai, Bai) X(MazCui, Cui) X(MazPc, Pc) X(MazP, P) X(MazNai, Nai) \
    X(MazBa, Ba) X(MazCu, Cu) X(MazKb, Kb) X(MazKs, Ks) X(MazSs, Ss) X(MazCa, Ca) X(MazVs, Vs) \
    X(MazSpl, Spl) X(MazVm, Vm) X(MazPt, Pt)

#define TDM1_FIELDS_Mkd(X) \
    X(MkdPcc, Pcc) X(MkdVs, Vs) X(MkdNa, Na) X(MkdCa, Ca) X(MkdCaz, Caz) X(MkdCa1, Ca1) \
    X(MkdDp, Dp) X(MkdDc, Dc) X(MkdPoz, Poz) X(MkdCf, Cf) X(MkdFa, Fa) X(MkdUl, Ul) X(MkdMi, Mi) \
    X(MkdPsc, Psc) X(MkdDss, Dss) X(MkdDo1, Do1) X(MkdDz, Dz) X(MkdScs1, Scs1) X(MkdDss1, Dss1) \
    X(MkdScs2, Scs2) X(MkdP, P) X(MkdZdp, Zdp) X(MkdZd0, Zd0) X(MkdZd, Zd) X(MkdD5, D5) \
    X(MkdZd2, Zd2) X(MkdD2, D2) X(MkdDok, Dok) X(MkdCi, Ci) X(MkdKo, Ko) X(MkdD1, D1) \
    X(MkdBai, Bai) X(MkdCui, Cui) X(MkdPc, Pc) X(MkdNai, Nai) X(MkdBa, Ba) X(MkdCu, Cu) \
    X(MkdKb, Kb) X(MkdKs, Ks) X(MkdSs, Ss) X(MkdAa, Aa) X(MkdD3, D3) X(MkdSpl, Spl) X(MkdVm, Vm) \
    X(MkdCzak, Czak) X(MkdNzak, Nzak) X(MkdUpp, Upp) X(MkdIa, Ia) X(MkdNeh, Neh) X(MkdPt, Pt) \
    X(MkdA, A) X(MkdA1, A1)

#define TDM1_FIELDS_Mzak(X) \
    X(MzakCzak, Czak) X(MzakNzak, Nzak)

#define TDM1_FIELDS_Data(X) \
    X(DataCislo, Cislo) X(DataPozice, Pozice) X(DataNazev, Nazev) X(DataAdresar, Adresar)

#define TDM1_FIELDS_Uziv(X) \
    X(UzivCislo, Cislo) X(UzivHeslo, Heslo)

#define TDM1_FIELDS_AutoP1(X) \
    X(AutoP1Cislo, Cislo) X(AutoP1Nazev, Nazev) X(AutoP1Adresar, Adresar)

#define TDM1_FIELDS_AutoP2(X) \
    X(AutoP2Cislo, Cislo) X(AutoP2Pozice, Pozice) X(AutoP2Nazev, Nazev) \
    X(AutoP2Adresar, Adresar)

#define TDM1_FIELDS_MbzQr(X) \
    X(MbzQrID, ID) X(MbzQrNa, Na) X(MbzQrBa, Ba) X(MbzQrCu, Cu) X(MbzQrKb, Kb) X(MbzQrVs, Vs) \
    X(MbzQrKs, Ks) X(MbzQrSs, Ss) X(MbzQrO1, O1) X(MbzQrO2, O2) X(MbzQrO3, O3) X(MbzQrO4, O4) \
    X(MbzQrO5, O5) X(MbzQrSpl, Spl) X(MbzQrVm, Vm) X(MbzQrCa, Ca) X(MbzQrD1, D1) X(MbzQrD3, D3) \
    X(MbzQrBai, Bai) X(MbzQrCui, Cui) X(MbzQrV, V) X(MbzQrP, P) X(MbzQrPc, Pc) X(MbzQrNai, Nai) \
    X(MbzQrCab, Cab) X(MbzQrVsb, Vsb) X(MbzQrMen, Men) X(MbzQrUpp, Upp) X(MbzQrIk, Ik) \
    X(MbzQrKti, Kti) X(MbzQrKbi, Kbi) X(MbzQrVi, Vi) X(MbzQrMi, Mi)

#define TDM1_FIELDS_MkfQr(X) \
    X(MkfQrID, ID) X(MkfQrNa, Na) X(MkfQrCu2, Cu2) X(MkfQrCu1, Cu1) X(MkfQrVs, Vs) \
    X(MkfQrCa, Ca) X(MkfQrDv, Dv) X(MkfQrDs, Ds) X(MkfQrP, P) X(MkfQrKb, Kb) X(MkfQrKbi, Kbi) \
    X(MkfQrSs, Ss) X(MkfQrUpp, Upp) X(MkfQrM, M)

#define TDM1_FIELDS_MkdQr(X) \
    X(MkdQrPcc, Pcc) X(MkdQrVs, Vs) X(MkdQrNa, Na) X(MkdQrCa, Ca) X(MkdQrCaz, Caz) \
    X(MkdQrCa1, Ca1) X(MkdQrDp, Dp) X(MkdQrDc, Dc) X(MkdQrPoz, Poz) X(MkdQrCf, Cf) \
    X(MkdQrFa, Fa) X(MkdQrUl, Ul) X(MkdQrMi, Mi) X(MkdQrPsc, Psc) X(MkdQrDss, Dss) \
    X(MkdQrDo1, Do1) X(MkdQrDz, Dz) X(MkdQrScs1, Scs1) X(MkdQrDss1, Dss1) X(MkdQrScs2, Scs2) \
    X(MkdQrP, P) X(MkdQrZdp, Zdp) X(MkdQrZd0, Zd0) X(MkdQrZd, Zd) X(MkdQrD5, D5) \
    X(MkdQrZd2, Zd2) X(MkdQrD2, D2) X(MkdQrDok, Dok) X(MkdQrCi, Ci) X(MkdQrKo, Ko) \
    X(MkdQrD1, D1) X(MkdQrBai, Bai) X(MkdQrCui, Cui) X(MkdQrPc, Pc) X(MkdQrNai, Nai) \
    X(MkdQrBa, Ba) X(MkdQrCu, Cu) X(MkdQrKb, Kb) X(MkdQrKs, Ks) X(MkdQrSs, Ss) X(MkdQrAa, Aa) \
    X(MkdQrD3, D3) X(MkdQrSpl, Spl) X(MkdQrVm, Vm) X(MkdQrCzak, Czak) X(MkdQrNzak, Nzak) \
    X(MkdQrUpp, Upp) X(MkdQrIa, Ia) X(MkdQrNeh, Neh) X(MkdQrCa2, Ca2) X(MkdQrCa3, Ca3) \
    X(MkdQrPi, Pi)

#define TDM1_FIELDS_MazQr(X) \
    X(MazQrNa, Na) X(MazQrIco, Ico) X(MazQrDic, Dic) X(MazQrFa, Fa) X(MazQrJm, Jm) \
    X(MazQrUl, Ul) X(MazQrPsc, Psc) X(MazQrMi, Mi) X(MazQrCobz, Cobz) X(MazQrDobz, Dobz) \
    X(MazQrDan, Dan) X(MazQrP1, P1) X(MazQrP2, P2) X(MazQrP3, P3) X(MazQrKp1, Kp1) \
    X(MazQrKp2, Kp2) X(MazQrTel, Tel) X(MazQrO, O) X(MazQrKu1, Ku1) X(MazQrKu2, Ku2) \
    X(MazQrKu3, Ku3) X(MazQrA, A) X(MazQrB, B) X(MazQrC, C) X(MazQrPp, Pp) X(MazQrSl, Sl) \
    X(MazQrBai, Bai) X(MazQrCui, Cui) X(MazQrPc, Pc) X(MazQrP, P) X(MazQrNai, Nai) \
    X(MazQrBa, Ba) X(MazQrCu, Cu) X(MazQrKb, Kb) X(MazQrKs, Ks) X(MazQrSs, Ss) X(MazQrCa, Ca) \
    X(MazQrVs, Vs) X(MazQrSpl, Spl) X(MazQrVm, Vm)

#define TDM1_FIELDS_MbanQr(X) \
    X(MbanQrID, ID) X(MbanQrCu1, Cu1) X(MbanQrCu2, Cu2) X(MbanQrKod, Kod) X(MbanQrSs, Ss) \
    X(MbanQrVs, Vs) X(MbanQrKs, Ks) X(MbanQrCa, Ca) X(MbanQrDs, Ds) X(MbanQrTp, Tp) \
    X(MbanQrKodi, Kodi) X(MbanQrUpp, Upp) X(MbanQrRd, Rd) X(MbanQrM1, M1) X(MbanQrCislo, Cislo)

#define TDM1_FIELDS_PbzQr(X) \
    X(PbzQrID, ID) X(PbzQrCislo, Cislo) X(PbzQrNa, Na) X(PbzQrBa, Ba) X(PbzQrCu, Cu) \
    X(PbzQrKb, Kb) X(PbzQrVs, Vs) X(PbzQrKs, Ks) X(PbzQrSs, Ss) X(PbzQrO1, O1) X(PbzQrO2, O2) \
    X(PbzQrO3, O3) X(PbzQrO4, O4) X(PbzQrO5, O5) X(PbzQrSpl, Spl) X(PbzQrVm, Vm) X(PbzQrCa, Ca) \
    X(PbzQrD1, D1) X(PbzQrD3, D3) X(PbzQrBai, Bai) X(PbzQrCui, Cui) X(PbzQrV, V) X(PbzQrP, P) \
    X(PbzQrPc, Pc) X(PbzQrNai, Nai) X(PbzQrCab, Cab) X(PbzQrVsb, Vsb) X(PbzQrMen, Men) \
    X(PbzQrUpp, Upp) X(PbzQrIk, Ik) X(PbzQrKti, Kti) X(PbzQrKbi, Kbi) X(PbzQrVi, Vi) \
    X(PbzQrMi, Mi) X(PbzQrIhn, Ihn) X(PbzQrD1c, D1c)

#define TDM1_ALL_FIELDS(X) \
    TDM1_FIELDS_Mbzp(X) \
    TDM1_FIELDS_Mbz(X) \
    TDM1_FIELDS_Mbp(X) \
    TDM1_FIELDS_Mkf(X) \
    TDM1_FIELDS_Mtt(X) \
    TDM1_FIELDS_Modf(X) \
    TDM1_FIELDS_Pmt(X) \
    TDM1_FIELDS_Mban(X) \
    TDM1_FIELDS_MbanP1(X) \
    TDM1_FIELDS_Mban1(X) \
    TDM1_FIELDS_Pmdf(X) \
    TDM1_FIELDS_PmdfC1(X) \
    TDM1_FIELDS_Pbz(X) \
    TDM1_FIELDS_Maz(X) \
    TDM1_FIELDS_Mkd(X) \
    TDM1_FIELDS_Mzak(X) \
    TDM1_FIELDS_Data(X) \
    TDM1_FIELDS_Uziv(X) \
    TDM1_FIELDS_AutoP1(X) \
    TDM1_FIELDS_AutoP2(X) \
    TDM1_FIELDS_MbzQr(X) \
    TDM1_FIELDS_MkfQr(X) \
    TDM1_FIELDS_MkdQr(X) \
    TDM1_FIELDS_MazQr(X) \
    TDM1_FIELDS_MbanQr(X) \
    TDM1_FIELDS_PbzQr(X)

namespace data {

// Data module: the session, the connections and every table, query, data source and field of the open company.
class TDM1 {
public:
    TDM1();
    ~TDM1();
    TDM1(const TDM1 &) = delete;
    TDM1 &operator=(const TDM1 &) = delete;

    // Points the company connection at a data-set folder (closing the tables of the one before).
    void setDataSetFolder(const QString &folder);
    // Disconnects the company connection, which closes every table and query bound to it.
    void closeDataSet();

    // Every table and query of the module, in declaration order.
    const std::vector<db::Dataset *> &datasets() const { return m_datasets; }
    // A table or query by object name ("Mbzp"); nullptr when there is none.
    db::Dataset *datasetByName(const QString &objectName) const;

    db::Session OrvSession;
    db::Database Orvidas;   // the open data set's folder
    db::Database Nazvy;     // the data root: registry tables Data and Uziv

    // Company tables.
    db::Table Mbzp{QStringLiteral("Mbzp")};
    db::Table Mbz{QStringLiteral("Mbz")};
    db::Table Mbp{QStringLiteral("Mbp")};
    db::Table Mkf{QStringLiteral("Mkf")};
    db::Table Mtt{QStringLiteral("Mtt")};
    db::Table Modf{QStringLiteral("Modf")};
    db::Table Pmt{QStringLiteral("Pmt")};
    db::Table Mban{QStringLiteral("Mban")};
    db::Table MbanP1{QStringLiteral("MbanP1")};   // Mban.DB of another folder (orders from another computer)
    db::Table Mban1{QStringLiteral("Mban1")};
    db::Table Pmdf{QStringLiteral("Pmdf")};
    db::Table PmdfC1{QStringLiteral("PmdfC1")};   // Cislo and Ca of Pmdf, to find the highest number
    db::Table Pbz{QStringLiteral("Pbz")};
    db::Table Maz{QStringLiteral("Maz")};
    db::Table Mkd{QStringLiteral("Mkd")};
    db::Table Mzak{QStringLiteral("Mzak")};
    // Registry tables.
    db::Table Data{QStringLiteral("Data")};
    db::Table Uziv{QStringLiteral("Uziv")};       // detail of Data on Cislo
    db::Table AutoP1{QStringLiteral("AutoP1")};   // registry upgrade: Cislo, Nazev, Adresar of Data.DB
    db::Table AutoP2{QStringLiteral("AutoP2")};   // registry upgrade: all fields of Data.DB

    // Queries.
    db::Query MbzQr{QStringLiteral("MbzQr")};
    db::Query MkfQr{QStringLiteral("MkfQr")};
    db::Query MkdQr{QStringLiteral("MkdQr")};
    db::Query MazQr{QStringLiteral("MazQr")};
    db::Query MbanQr{QStringLiteral("MbanQr")};
    db::Query PbzQr{QStringLiteral("PbzQr")};
    db::Query PrevodQr{QStringLiteral("PrevodQr")}; // statements that change the open data set
    db::Query PrevQr1{QStringLiteral("PrevQr1")};   // statements on a Mban table of another folder

    // Data sources.
    db::DataSource MbzpSource{&Mbzp};
    db::DataSource MbzSource{&Mbz};
    db::DataSource MbpSource{&Mbp};
    db::DataSource MkfSource{&Mkf};
    db::DataSource MttSource{&Mtt};
    db::DataSource ModfSource{&Modf};
    db::DataSource PmtSource{&Pmt};
    db::DataSource MbanSource{&Mban};
    db::DataSource MbanP1Source{&MbanP1};
    db::DataSource Mban1Source{&Mban1};
    db::DataSource PmdfSource{&Pmdf};
    db::DataSource PmdfC1Source{&PmdfC1};
    db::DataSource PbzSource{&Pbz};
    db::DataSource MazSource{&Maz};
    db::DataSource MkdSource{&Mkd};
    db::DataSource MzakSource{&Mzak};
    db::DataSource DataSource{&Data};
    db::DataSource UzivSource{&Uziv};
    db::DataSource AutoP1Source{&AutoP1};
    db::DataSource AutoP2Source{&AutoP2};
    db::DataSource MbzQrSource{&MbzQr};
    db::DataSource MkfQrSource{&MkfQr};
    db::DataSource MkdQrSource{&MkdQr};
    db::DataSource MazQrSource{&MazQr};
    db::DataSource MbanQrSource{&MbanQr};
    db::DataSource PbzQrSource{&PbzQr};

    // Field objects (see the lists above).
#define TDM1_DECLARE_FIELD(member, field) db::Field *member = nullptr;
    TDM1_ALL_FIELDS(TDM1_DECLARE_FIELD)
#undef TDM1_DECLARE_FIELD

private:
    void bindLookups();
    std::vector<db::Dataset *> m_datasets;
};

// The single data module of the program; nullptr until createDataModule.
extern TDM1 *DM1;

// Creates DM1; throws std::logic_error when it already exists.
TDM1 &createDataModule();
// Destroys DM1 (closing everything it holds) and sets it to nullptr.
void destroyDataModule();

} // namespace data
