#include "fluxeta/case/case_parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/box_texts.h"

namespace fluxeta::cases {
namespace {

using run::BoxTexts;
using run::DefaultBoxTexts;
using run::ReadCaseFromForm;

constexpr double kOld = -7.0;  // a value no box of these tests produces
constexpr char kOldFileName[] = "old.txt";

// Reads under a point separator, from a record that holds a previous run's values.
class ReadCaseFromFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes_ = DefaultBoxTexts('.');
    for (double* field : {&parameters_.Ain, &parameters_.gamma, &parameters_.Pein, &parameters_.Lin,
                          &parameters_.Lend, &parameters_.W, &parameters_.H, &parameters_.lambda,
                          &parameters_.alpha, &parameters_.eta0, &parameters_.gamma0,
                          &parameters_.n, &parameters_.gammaCr, &parameters_.rho, &parameters_.Qin,
                          &parameters_.etaCr, &parameters_.theta}) {
      *field = kOld;
    }
    parameters_.ResultFileName = kOldFileName;
  }

  // Expects the read to fail with exactly `message`.
  void ExpectReadFails(const std::string& message) {
    try {
      ReadCaseFromForm(boxes_, '.', parameters_);
      ADD_FAILURE() << "the case was read";
    } catch (const base::FluxetaError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }

  BoxTexts boxes_;
  CaseParameters parameters_;
};

std::string SixteenDigits(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.16g", value);
  return text;
}

TEST_F(ReadCaseFromFormTest, ReadsTheDefaultCase) {
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.Ain, 3.0);
  EXPECT_EQ(parameters_.gamma, 0.1);
  EXPECT_EQ(parameters_.Pein, 6.14);
  EXPECT_EQ(parameters_.Lin, 3.0);
  EXPECT_EQ(parameters_.Lend, 2.5);
  EXPECT_EQ(parameters_.W, 66.0);
  EXPECT_EQ(parameters_.H, 0.0254);
  EXPECT_EQ(parameters_.lambda, 16.0);
  EXPECT_EQ(parameters_.alpha, 1.3);
  EXPECT_EQ(parameters_.eta0, 10.0);
  EXPECT_EQ(parameters_.gamma0, 1.0);
  EXPECT_EQ(parameters_.n, 0.5);
  EXPECT_EQ(parameters_.gammaCr, 50.0);
  EXPECT_EQ(parameters_.rho, 1.2);
  EXPECT_EQ(parameters_.Qin, 33.0);
  EXPECT_EQ(parameters_.ResultFileName, "Result.txt");

  EXPECT_EQ(SixteenDigits(parameters_.etaCr), "1.414213562373095");
  EXPECT_EQ(parameters_.etaCr, std::sqrt(2.0));
  EXPECT_EQ(parameters_.theta, 0.007575612651195415);
  EXPECT_EQ(base::Cos(parameters_.theta).value(), 0.9999713051837127);
}

TEST_F(ReadCaseFromFormTest, ReadsTheLastThreeInputsFromTheirOwnBoxes) {
  boxes_.Edit(16) = "40";
  boxes_.Edit(13) = "0.9";
  boxes_.Edit(14) = "12";
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.gammaCr, 40.0);
  EXPECT_EQ(parameters_.rho, 0.9);
  EXPECT_EQ(parameters_.Qin, 12.0);
}

TEST_F(ReadCaseFromFormTest, NewtonianLiquidKeepsTheReferenceViscosity) {
  boxes_.Edit(12) = "1";
  boxes_.Edit(10) = "7.3";
  boxes_.Edit(11) = "0";
  boxes_.Edit(16) = "0";
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.etaCr, 7.3);
}

TEST_F(ReadCaseFromFormTest, TaperAngleFollowsTheSlotLengthFall) {
  boxes_.Edit(4) = "2.5";
  boxes_.Edit(5) = "3.0";
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.theta, -0.007575612651195415);

  boxes_.Edit(5) = "2.5";
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.theta, 0.0);
}

TEST_F(ReadCaseFromFormTest, TakesBlankedTextsAndTheFileNameUnchanged) {
  boxes_.Edit(1) = " 3.0 ";
  boxes_.Edit(15) = " my result.txt ";
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.Ain, 3.0);
  EXPECT_EQ(parameters_.ResultFileName, " my result.txt ");

  boxes_.Edit(15) = "";
  ReadCaseFromForm(boxes_, '.', parameters_);
  EXPECT_EQ(parameters_.ResultFileName, "");
}

TEST_F(ReadCaseFromFormTest, StopsAtTheFirstBadBoxKeepingTheRestOld) {
  boxes_.Edit(5) = "2,5";
  boxes_.Edit(7) = "wide";
  ExpectReadFails("'2,5' は浮動小数点数ではありません");
  EXPECT_EQ(parameters_.Ain, 3.0);
  EXPECT_EQ(parameters_.gamma, 0.1);
  EXPECT_EQ(parameters_.Pein, 6.14);
  EXPECT_EQ(parameters_.Lin, 3.0);
  for (double field :
       {parameters_.Lend, parameters_.W, parameters_.H, parameters_.lambda, parameters_.alpha,
        parameters_.eta0, parameters_.gamma0, parameters_.n, parameters_.gammaCr, parameters_.rho,
        parameters_.Qin, parameters_.etaCr, parameters_.theta}) {
    EXPECT_EQ(field, kOld);
  }
  EXPECT_EQ(parameters_.ResultFileName, kOldFileName);
}

TEST_F(ReadCaseFromFormTest, NamesTheFirstBadBoxInReadingOrder) {
  boxes_.Edit(13) = "heavy";
  boxes_.Edit(16) = "";
  ExpectReadFails("'' は浮動小数点数ではありません");

  boxes_.Edit(16) = "50.0";
  boxes_.Edit(14) = "1,000";
  ExpectReadFails("'heavy' は浮動小数点数ではありません");
  EXPECT_EQ(parameters_.etaCr, std::sqrt(2.0));
  EXPECT_EQ(parameters_.rho, kOld);
}

TEST_F(ReadCaseFromFormTest, ValueBeyondTheDoubleRangeOverflows) {
  boxes_.Edit(7) = "1e400";
  ExpectReadFails("浮動小数点数のオーバーフロー");
  EXPECT_EQ(parameters_.W, 66.0);
  EXPECT_EQ(parameters_.H, kOld);
}

TEST_F(ReadCaseFromFormTest, ZeroWidthFaultsInTheTaperAngle) {
  boxes_.Edit(6) = "0";
  boxes_.Edit(13) = "0.8";
  boxes_.Edit(14) = "5";
  ExpectReadFails("0 による浮動小数点数除算");
  EXPECT_EQ(parameters_.rho, 0.8);
  EXPECT_EQ(parameters_.Qin, 5.0);
  EXPECT_EQ(parameters_.theta, kOld);
  EXPECT_EQ(parameters_.ResultFileName, kOldFileName);

  boxes_.Edit(5) = "3.0";
  ExpectReadFails("不正な浮動小数点数演算命令");
  EXPECT_EQ(parameters_.Lend, 3.0);
}

TEST_F(ReadCaseFromFormTest, ZeroOrNegativeReferenceShearRateFaultsInTheCriticalViscosity) {
  boxes_.Edit(11) = "0";
  ExpectReadFails("0 による浮動小数点数除算");
  EXPECT_EQ(parameters_.gammaCr, 50.0);
  EXPECT_EQ(parameters_.etaCr, kOld);
  EXPECT_EQ(parameters_.rho, kOld);

  boxes_.Edit(12) = "2";  // an integral exponent: 0^1 = 0, then K divides by it
  ExpectReadFails("0 による浮動小数点数除算");

  boxes_.Edit(12) = "0.5";
  boxes_.Edit(11) = "-1";
  ExpectReadFails("不正な浮動小数点数演算命令");
}

}  // namespace
}  // namespace fluxeta::cases
